// A steel shelf bracket, 10 mm thick: a leg 50 mm wide bolted along the wall
// (x = 0) over 200 mm, and an arm 50 mm deep reaching 200 mm from the wall.
// The inner corner where the arm meets the leg is sharp, a re-entrant corner
// where the stress of the elastic solution has no finite value: the mesh must
// be refined there to know the stress anywhere near it.
//
//     trivane-cli adapt examples/bracket.geo -o bracket.trv --E 2.1e11 --nu 0.3 --t 0.01 \
//         --support wall=xy --traction end=0,-2e6
//
// The traction puts 2 MPa down on the 50 mm end of the arm: 1000 N in all.
size = 0.02;
Point(1) = {0, 0, 0, size};         // foot of the leg, on the wall
Point(2) = {0.05, 0, 0, size};
Point(3) = {0.05, 0.15, 0, size};   // the re-entrant corner
Point(4) = {0.2, 0.15, 0, size};
Point(5) = {0.2, 0.2, 0, size};     // tip of the arm
Point(6) = {0, 0.2, 0, size};
Line(1) = {1, 2};  // foot
Line(2) = {2, 3};  // inner edge of the leg
Line(3) = {3, 4};  // underside of the arm
Line(4) = {4, 5};  // end of the arm
Line(5) = {5, 6};  // top of the arm
Line(6) = {6, 1};  // against the wall
Curve Loop(1) = {1, 2, 3, 4, 5, 6};
Plane Surface(1) = {1};

Physical Curve("wall") = {6};
Physical Curve("end") = {4};
Physical Curve("top") = {5};
Physical Surface("bracket") = {1};
