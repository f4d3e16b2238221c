// The gravity dam of dam.geo in summer: the sun warms a layer 2 m deep under
// the downstream face above the concrete inside, which stays at the
// temperature it was built at. The layer is the region "face", the rest of
// the dam the region "core"; their edges on the rock, the crest, and the
// water and air sides are the groups of dam.geo.
//
//     trivane-cli mesh examples/dam-summer.geo -o dam-summer.msh
//     trivane-cli solve dam-summer.msh --plane-strain --E 2.5e10 --nu 0.2 --density 2400 --gravity 0,-9.81 \
//         --support base=xy --water upstream=28,9810 --alpha 1e-5 --temperature face=15
size = 1.0;
depth = 2;                                // of the warm layer, normal to the face
run = depth * Sqrt(19 ^ 2 + 30 ^ 2) / 30;  // the same, along the base and the crest
Point(1) = {0, 0, 0, size};           // heel
Point(2) = {24 - run, 0, 0, size};    // the layer's foot
Point(3) = {24, 0, 0, size};          // toe
Point(4) = {5, 30, 0, size};          // downstream end of the crest
Point(5) = {5 - run, 30, 0, size};    // the layer's top
Point(6) = {0, 30, 0, size};          // upstream end of the crest
Line(1) = {1, 2};
Line(2) = {2, 3};
Line(3) = {3, 4};
Line(4) = {4, 5};
Line(5) = {5, 6};
Line(6) = {6, 1};
Line(7) = {2, 5};
Curve Loop(1) = {1, 7, 5, 6};
Plane Surface(1) = {1};
Curve Loop(2) = {2, 3, 4, -7};
Plane Surface(2) = {2};

Physical Curve("base") = {1, 2};
Physical Curve("downstream") = {3};
Physical Curve("crest") = {4, 5};
Physical Curve("upstream") = {6};
Physical Surface("core") = {1};
Physical Surface("face") = {2};
