// A surface bounded by three collinear points: the script is valid, but Gmsh
// cannot mesh the surface.
Point(1) = {0, 0, 0, 0.1}; Point(2) = {1, 0, 0, 0.1}; Point(3) = {2, 0, 0, 0.1};
Line(1) = {1, 2}; Line(2) = {2, 3}; Line(3) = {3, 1};
Curve Loop(1) = {1, 2, 3}; Plane Surface(1) = {1};
Physical Curve("edge") = {1};
Physical Surface("flat") = {1};
