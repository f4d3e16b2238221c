// Quarter of a 20 m square plate with a central hole of radius 2 m: the same
// problem as plate-with-hole.trv, to be meshed by Gmsh instead. Its physical
// groups name the edges and the plate, so that trivane-cli can put the
// conditions on them:
//
//     trivane-cli mesh examples/plate-with-hole.geo -o plate.msh [--size H]
//     trivane-cli solve plate.msh --support bottom=y --support left=x --traction right=100,0
//
// Elements are about 1 m long at the outer edges and 0.3 m at the hole, where
// the stress is concentrated.
outer = 1.0;
hole = 0.3;
Point(1) = {0, 0, 0, hole};    // centre of the hole
Point(2) = {2, 0, 0, hole};
Point(3) = {10, 0, 0, outer};
Point(4) = {10, 10, 0, outer};
Point(5) = {0, 10, 0, outer};
Point(6) = {0, 2, 0, hole};
Line(1) = {2, 3};      // symmetry edge y = 0
Line(2) = {3, 4};      // loaded edge x = 10
Line(3) = {4, 5};      // free edge y = 10
Line(4) = {5, 6};      // symmetry edge x = 0
Circle(5) = {6, 1, 2}; // the hole
Curve Loop(1) = {1, 2, 3, 4, 5};
Plane Surface(1) = {1};

// Physical curves become edge groups, the physical surface a region. With any
// physical group given, Gmsh keeps only the elements of physical groups, so
// the surface needs one too.
Physical Curve("bottom") = {1};
Physical Curve("right") = {2};
Physical Curve("top") = {3};
Physical Curve("left") = {4};
Physical Curve("hole") = {5};
Physical Surface("plate") = {1};
