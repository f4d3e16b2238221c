// A steel flywheel disc of radius 0.5 m and 40 mm thick on a shaft of 50 mm
// radius, turning at 3000 rpm (314.16 rad/s), analysed as a solid of
// revolution on its half section (x is the radius r, y the axis z). The
// section is half the thickness, from the disc's middle plane z = 0, held
// along the axis; the bore is free, as on a shaft with a loose fit.
//
//     trivane-cli mesh examples/flywheel.geo -o flywheel.msh
//     trivane-cli solve flywheel.msh --axisymmetric --E 2.1e11 --nu 0.3 \
//         --density 7850 --spin 314.16 --support middle=y
//
// Elements are about 2.5 mm long, eight through the half thickness.
h = 0.0025;
a = 0.05;   // bore radius
b = 0.5;    // outer radius
c = 0.02;   // half the thickness
Point(1) = {a, 0, 0, h};
Point(2) = {b, 0, 0, h};
Point(3) = {b, c, 0, h};
Point(4) = {a, c, 0, h};
Line(1) = {1, 2};   // middle plane
Line(2) = {2, 3};   // rim
Line(3) = {3, 4};   // face
Line(4) = {4, 1};   // bore
Curve Loop(1) = {1, 2, 3, 4};
Plane Surface(1) = {1};

Physical Curve("middle") = {1};
Physical Curve("rim") = {2};
Physical Curve("face") = {3};
Physical Curve("bore") = {4};
Physical Surface("disc") = {1};
