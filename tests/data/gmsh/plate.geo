// A plate 2 x 1 with a hole of radius 0.25 in its middle, built-in kernel.
// Physical groups: the left and right edges (lines) and the plate (triangles).
lc = 0.25;
Point(1) = {0, 0, 0, lc};
Point(2) = {2, 0, 0, lc};
Point(3) = {2, 1, 0, lc};
Point(4) = {0, 1, 0, lc};
Point(5) = {1, 0.5, 0, lc};
Point(6) = {1.25, 0.5, 0, lc};
Point(7) = {1, 0.75, 0, lc};
Point(8) = {0.75, 0.5, 0, lc};
Point(9) = {1, 0.25, 0, lc};
Line(1) = {1, 2};
Line(2) = {2, 3};
Line(3) = {3, 4};
Line(4) = {4, 1};
Circle(5) = {6, 5, 7};
Circle(6) = {7, 5, 8};
Circle(7) = {8, 5, 9};
Circle(8) = {9, 5, 6};
Curve Loop(1) = {1, 2, 3, 4};
Curve Loop(2) = {5, 6, 7, 8};
Plane Surface(1) = {1, 2};
Physical Curve("left") = {4};
Physical Curve("right") = {2};
Physical Surface("plate") = {1};
