// Two squares side by side, only the right one in a physical group, meshed and
// then refined without renumbering: the nodes written keep their sparse tags,
// and the refinement's new nodes (higher tags) come before older ones.
Mesh.Renumber = 0;
Point(1) = {0, 0, 0, 0.5};
Point(2) = {1, 0, 0, 0.5};
Point(3) = {1, 1, 0, 0.5};
Point(4) = {0, 1, 0, 0.5};
Point(5) = {2, 0, 0, 0.5};
Point(6) = {2, 1, 0, 0.5};
Line(1) = {1, 2};
Line(2) = {2, 3};
Line(3) = {3, 4};
Line(4) = {4, 1};
Line(5) = {2, 5};
Line(6) = {5, 6};
Line(7) = {6, 3};
Curve Loop(1) = {1, 2, 3, 4};
Plane Surface(1) = {1};
Curve Loop(2) = {5, 6, 7, -2};
Plane Surface(2) = {2};
Physical Surface("right") = {2};
Mesh 2;
RefineMesh;
