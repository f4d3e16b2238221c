#!/usr/bin/env python3
"""trivane-cli export read back by VTK's own reader and by a CSV parser, and
compared value for value with what trivane-cli solve --json prints for the
same model and material.

usage: export_readback.py TRIVANE_CLI EXAMPLES_FOLDER
"""
import csv
import json
import math
import os
import subprocess
import sys
import tempfile

import vtk

CLI, EXAMPLES = sys.argv[1], sys.argv[2]
ELEMENT_VALUES = ["sigma_x", "sigma_y", "tau_xy", "sigma_1", "sigma_2", "tau_max", "von_mises", "error"]
NODE_VALUES = ["sigma_x_avg", "sigma_y_avg", "tau_xy_avg", "von_mises_avg"]

# (model, material and solver flags): both problem types and both solvers. The
# nodal columns under --recovery average, which this script works out for
# itself; patch recovery is checked against exact answers in the analysis tests.
CASES = [
    ("cantilever.trv", ["--recovery", "average"]),
    ("plate-with-hole.trv", ["--plane-strain", "--nu", "0.3", "--E", "2.1e11", "--t", "0.01", "--recovery", "average"]),
    ("cook-membrane.trv", ["--solver", "cholesky", "--recovery", "average"]),
]

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def cli(*args):
    return subprocess.run([CLI, *args], check=True, capture_output=True, text=True).stdout


def same(a, b):
    """Exact equality of reals; JSON holds no infinities or NaN."""
    return a == b or (a is None and b is None)


def tuples(array):
    return [array.GetTuple(k) for k in range(array.GetNumberOfTuples())]


def reactions_by_node(solved):
    return {r[0]: (r[1], r[2]) for r in solved["reactions"]}


def check_vtu(path, solved, flags, name, coordinates, corners):
    reader = vtk.vtkXMLUnstructuredGridReader()
    reader.SetFileName(path)
    reader.Update()
    grid = reader.GetOutput()
    n, m = solved["nodes"], solved["elements"]
    check(grid.GetNumberOfPoints() == n, f"{name}: {grid.GetNumberOfPoints()} points, not {n}")
    check(grid.GetNumberOfCells() == m, f"{name}: {grid.GetNumberOfCells()} cells, not {m}")
    check(all(grid.GetCellType(c) == vtk.VTK_TRIANGLE for c in range(m)), f"{name}: a cell is not a triangle")
    # The geometry as the CSV tables give it: points (x, y, 0), corners from 0.
    check([grid.GetPoint(i) for i in range(n)] == [(x, y, 0.0) for x, y in coordinates], f"{name}: points")
    ids = vtk.vtkIdList()
    cells = []
    for c in range(m):
        grid.GetCellPoints(c, ids)
        cells.append([ids.GetId(k) + 1 for k in range(ids.GetNumberOfIds())])
    check(cells == corners, f"{name}: triangles")

    point_data, cell_data = grid.GetPointData(), grid.GetCellData()
    names = sorted(point_data.GetArrayName(k) for k in range(point_data.GetNumberOfArrays()))
    check(names == sorted(["displacement", "reaction"] + NODE_VALUES), f"{name}: point arrays {names}")
    names = sorted(cell_data.GetArrayName(k) for k in range(cell_data.GetNumberOfArrays()))
    check(names == sorted(ELEMENT_VALUES), f"{name}: cell arrays {names}")

    u = tuples(point_data.GetArray("displacement"))
    for i, (ui, vi) in enumerate(solved["displacements"]):
        check(same(u[i][0], ui) and same(u[i][1], vi) and u[i][2] == 0.0, f"{name}: displacement of node {i + 1}")
    r = tuples(point_data.GetArray("reaction"))
    supports = reactions_by_node(solved)
    for i in range(n):
        rx, ry = supports.get(i + 1, (None, None))
        check(r[i][0] == (rx if rx is not None else 0.0), f"{name}: Rx of node {i + 1}")
        check(r[i][1] == (ry if ry is not None else 0.0), f"{name}: Ry of node {i + 1}")
    for k, array in enumerate(ELEMENT_VALUES):
        values = [t[0] for t in tuples(cell_data.GetArray(array))]
        check(list(values) == element_values(solved, k), f"{name}: cell array {array}")
    averaged = averaged_stresses(solved, flags, coordinates, corners)
    for k, array in enumerate(NODE_VALUES):
        values = [t[0] for t in tuples(point_data.GetArray(array))]
        check(all(close(a, b) for a, b in zip(values, averaged[k])) and len(values) == n, f"{name}: {array}")

    field = grid.GetFieldData()
    entered = {"E": 2e10, "mu": 0.167, "t": 1.0}
    for flag, key in (("--E", "E"), ("--nu", "mu"), ("--t", "t")):
        if flag in flags:
            entered[key] = float(flags[flags.index(flag) + 1])
    for key, value in entered.items():
        check(field.GetArray(key).GetValue(0) == value, f"{name}: field {key}")
    problem = field.GetAbstractArray("problem_type").GetValue(0)
    check(problem == ("plane strain" if "--plane-strain" in flags else "plane stress"), f"{name}: problem {problem}")


def element_values(solved, k):
    if k < 6:
        return [s[k] for s in solved["stresses"]]
    return solved["mises"] if k == 6 else solved["error"]["elements"]


def close(a, b):
    return abs(a - b) <= 1e-12 * max(1.0, abs(a), abs(b))


def averaged_stresses(solved, flags, coordinates, corners):
    """The area-weighted mean of the element stresses at each node (one material),
    and von Mises of the mean, worked out here from solve --json."""
    n = solved["nodes"]
    sums = [[0.0, 0.0, 0.0] for _ in range(n)]
    areas = [0.0] * n
    for e, nodes in enumerate(corners):
        (x1, y1), (x2, y2), (x3, y3) = (coordinates[i - 1] for i in nodes)
        area = abs((x2 - x1) * (y3 - y1) - (x3 - x1) * (y2 - y1)) / 2
        for i in nodes:
            areas[i - 1] += area
            for c in range(3):
                sums[i - 1][c] += area * solved["stresses"][e][c]
    mu = float(flags[flags.index("--nu") + 1]) if "--nu" in flags else 0.167
    columns = [[], [], [], []]
    for s, a in zip(sums, areas):
        sx, sy, txy = (v / a for v in s)
        r = math.sqrt((sx - sy) ** 2 + 4 * txy * txy)
        s1, s2 = (sx + sy) / 2 + r / 2, (sx + sy) / 2 - r / 2
        if "--plane-strain" in flags:
            sz = mu * (sx + sy)
            mises = math.sqrt(((s1 - s2) ** 2 + (s2 - sz) ** 2 + (sz - s1) ** 2) / 2)
        else:
            mises = math.sqrt(s1 * s1 - s1 * s2 + s2 * s2)
        for c, v in enumerate((sx, sy, txy, mises)):
            columns[c].append(v)
    return columns


def real(text):
    return None if text == "" else float(text)


def check_csv(path, solved, name):
    """Returns the nodes' coordinates and the elements' corners."""
    with open(path, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f, strict=True))
    nodes = rows
    check(rows[0] == ["node", "x", "y", "u", "v", "Rx", "Ry"] + NODE_VALUES, f"{name}: node header {rows[0]}")
    check(len(rows) == solved["nodes"] + 1, f"{name}: {len(rows) - 1} node rows")
    supports = reactions_by_node(solved)
    for i, row in enumerate(rows[1:]):
        check(int(row[0]) == i + 1, f"{name}: node row {i + 1} numbered {row[0]}")
        u, v = solved["displacements"][i]
        check(real(row[3]) == u and real(row[4]) == v, f"{name}: displacement of node {i + 1}")
        rx, ry = supports.get(i + 1, (None, None))
        check(real(row[5]) == rx and real(row[6]) == ry, f"{name}: reaction of node {i + 1}")

    elements_path = path[: -len(".csv")] + "_elements.csv"
    with open(elements_path, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f, strict=True))
    check(rows[0] == ["element", "node1", "node2", "node3"] + ELEMENT_VALUES, f"{name}: element header {rows[0]}")
    check(len(rows) == solved["elements"] + 1, f"{name}: {len(rows) - 1} element rows")
    for e, row in enumerate(rows[1:]):
        values = [float(x) for x in row[4:]]
        expected = [element_values(solved, k)[e] for k in range(len(ELEMENT_VALUES))]
        check(values == expected, f"{name}: values of element {e + 1}")
    with open(path, "rb") as f:
        check(f.read().count(b"\r\n") == solved["nodes"] + 1, f"{name}: lines do not end in CR LF")
    return [(float(r[1]), float(r[2])) for r in nodes[1:]], [[int(x) for x in r[1:4]] for r in rows[1:]]


with tempfile.TemporaryDirectory() as folder:
    for model, flags in CASES:
        source = os.path.join(EXAMPLES, model)
        solved = json.loads(cli("solve", source, "--json", *flags))
        sums = solved["equilibrium"]
        scale = abs(sums["sum_fx"]) + abs(sums["sum_fy"])
        check(math.fabs(sums["sum_rx"] + sums["sum_fx"]) <= 1e-9 * scale, f"{model}: x equilibrium {sums}")
        check(math.fabs(sums["sum_ry"] + sums["sum_fy"]) <= 1e-9 * scale, f"{model}: y equilibrium {sums}")
        table = os.path.join(folder, model + ".csv")
        cli("export", source, "-o", table, *flags)
        coordinates, corners = check_csv(table, solved, model)
        with open(table, newline="", encoding="utf-8") as f:
            node_rows = list(csv.reader(f, strict=True))[1:]
        averaged = averaged_stresses(solved, flags, coordinates, corners)
        for k in range(len(NODE_VALUES)):
            check(all(close(float(row[7 + k]), averaged[k][i]) for i, row in enumerate(node_rows)),
                  f"{model}: CSV {NODE_VALUES[k]}")
        vtu = os.path.join(folder, model + ".vtu")
        cli("export", source, "-o", vtu, *flags)
        check_vtu(vtu, solved, flags, model, coordinates, corners)

for failure in failures[:20]:
    print("FAIL:", failure)
print(f"{len(CASES)} models read back, {len(failures)} failures")
sys.exit(1 if failures else 0)
