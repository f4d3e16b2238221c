// A concrete gravity dam, 30 m high, in plane strain: the upstream face
// vertical at x = 0, the crest 5 m wide, the downstream face running from the
// crest down to the toe 24 m from the heel. It stands on rock taken as rigid.
//
//     trivane-cli mesh examples/dam.geo -o dam.msh
//     trivane-cli solve dam.msh --plane-strain --E 2.5e10 --nu 0.2 --density 2400 --gravity 0,-9.81 \
//         --support base=xy --water upstream=28,9810
//
// Water stands 28 m deep against the upstream face, so the water line crosses
// that face 2 m below the crest.
size = 1.5;
Point(1) = {0, 0, 0, size};   // heel
Point(2) = {24, 0, 0, size};  // toe
Point(3) = {5, 30, 0, size};  // downstream end of the crest
Point(4) = {0, 30, 0, size};  // upstream end of the crest
Line(1) = {1, 2};
Line(2) = {2, 3};
Line(3) = {3, 4};
Line(4) = {4, 1};
Curve Loop(1) = {1, 2, 3, 4};
Plane Surface(1) = {1};

// Physical curves become edge groups and the surface a region: the supports
// and loads are put on them by name.
Physical Curve("base") = {1};
Physical Curve("downstream") = {2};
Physical Curve("crest") = {3};
Physical Curve("upstream") = {4};
Physical Surface("dam") = {1};
