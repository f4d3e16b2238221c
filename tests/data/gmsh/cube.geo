// A unit cube, OpenCASCADE kernel: a 3-D mesh of tetrahedra.
SetFactory("OpenCASCADE");
Box(1) = {0, 0, 0, 1, 1, 1};
Mesh.MeshSizeMin = 1;
Mesh.MeshSizeMax = 1;
