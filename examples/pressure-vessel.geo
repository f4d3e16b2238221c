// A thick-walled pressure vessel: a cylinder of bore 1 m and outer radius
// 1.5 m closed by a hemispherical head, as the half section of an
// axisymmetric model (x is the radius, y the axis). The plane y = 0 halves
// the vessel, so it is held in y there; nodes on the axis are held radially
// by the model itself.
//
//     trivane-cli mesh examples/pressure-vessel.geo -o vessel.msh
//     trivane-cli solve vessel.msh --axisymmetric --E 2e11 --nu 0.3 \
//         --support middle=y --pressure inner=1e7
//
// Far from the head the wall is Lame's closed cylinder, in the head a thick
// sphere.
a = 1.0;   // bore
b = 1.5;   // outer radius
L = 4.0;   // half length of the cylinder
h = 0.06;  // element size
Point(1) = {a, 0, 0, h};
Point(2) = {b, 0, 0, h};
Point(3) = {b, L, 0, h};
Point(4) = {a, L, 0, h};
Point(5) = {0, L, 0, h};      // centre of the head
Point(6) = {0, L + a, 0, h};
Point(7) = {0, L + b, 0, h};
Line(1) = {1, 2};             // the middle plane
Line(2) = {2, 3};             // outer surface of the cylinder
Circle(3) = {3, 5, 7};        // outer surface of the head
Line(4) = {7, 6};             // the axis, through the head's crown
Circle(5) = {6, 5, 4};        // inner surface of the head
Line(6) = {4, 1};             // the bore
Curve Loop(1) = {1, 2, 3, 4, 5, 6};
Plane Surface(1) = {1};

Physical Curve("middle") = {1};
Physical Curve("outer") = {2, 3};
Physical Curve("axis") = {4};
Physical Curve("inner") = {5, 6};
Physical Surface("wall") = {1};
