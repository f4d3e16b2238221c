// A thick-walled steel pressure vessel: a cylinder of bore radius 0.5 m and
// outer radius 0.75 m with a hemispherical head, analysed as a solid of
// revolution on its half section (x is the radius r, y the axis z). The
// section stops at the vessel's plane of symmetry z = 0, held along the axis;
// the head closes the vessel on the axis, where the model holds its nodes
// radially by itself.
//
//     trivane-cli mesh examples/pressure-vessel.geo -o vessel.msh
//     trivane-cli solve vessel.msh --axisymmetric --E 2.1e11 --nu 0.3 \
//         --support symmetry=y --pressure inside=1e7
//
// Elements are about 25 mm long, ten through the wall.
h = 0.025;
a = 0.5;    // bore radius
b = 0.75;   // outer radius
L = 2.0;    // length of the cylinder from the plane of symmetry to the head
Point(1) = {a, 0, 0, h};
Point(2) = {b, 0, 0, h};
Point(3) = {b, L, 0, h};
Point(4) = {a, L, 0, h};
Point(5) = {0, L, 0, h};       // centre of the head
Point(6) = {0, L + a, 0, h};
Point(7) = {0, L + b, 0, h};
Line(1) = {1, 2};              // plane of symmetry
Line(2) = {2, 3};              // outside of the cylinder
Circle(3) = {3, 5, 7};         // outside of the head
Line(4) = {7, 6};              // the head's wall on the axis
Circle(5) = {6, 5, 4};         // inside of the head
Line(6) = {4, 1};              // the bore
Curve Loop(1) = {1, 2, 3, 4, 5, 6};
Plane Surface(1) = {1};

Physical Curve("symmetry") = {1};
Physical Curve("outside") = {2, 3};
Physical Curve("axis") = {4};
Physical Curve("inside") = {5, 6};
Physical Surface("wall") = {1};
