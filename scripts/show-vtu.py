#!/usr/bin/env python3
"""Renders a .vtu export of trivane-cli or the window with VTK (Debian
python3-vtk9), coloured by von Mises on the shape deformed 2000 times:
    xvfb-run -a /usr/bin/python3 scripts/show-vtu.py OUT.vtu PICTURE.png"""
import sys
import vtk
reader = vtk.vtkXMLUnstructuredGridReader()
reader.SetFileName(sys.argv[1])
reader.Update()
grid = reader.GetOutput()
grid.GetCellData().SetActiveScalars("von_mises")
warp = vtk.vtkWarpVector()
warp.SetInputData(grid)
grid.GetPointData().SetActiveVectors("displacement")
warp.SetScaleFactor(2000)
mapper = vtk.vtkDataSetMapper()
mapper.SetInputConnection(warp.GetOutputPort())
mapper.SetScalarModeToUseCellFieldData()
mapper.SelectColorArray("von_mises")
mapper.SetScalarRange(grid.GetCellData().GetArray("von_mises").GetRange())
lut = vtk.vtkLookupTable(); lut.SetHueRange(0.667, 0.0); lut.Build(); mapper.SetLookupTable(lut)
actor = vtk.vtkActor(); actor.SetMapper(mapper); actor.GetProperty().EdgeVisibilityOn()
bar = vtk.vtkScalarBarActor(); bar.SetLookupTable(lut); bar.SetTitle("von_mises")
ren = vtk.vtkRenderer(); ren.AddActor(actor); ren.AddActor2D(bar); ren.SetBackground(1, 1, 1)
bar.GetTitleTextProperty().SetColor(0, 0, 0); bar.GetLabelTextProperty().SetColor(0, 0, 0)
win = vtk.vtkRenderWindow(); win.SetOffScreenRendering(1); win.AddRenderer(ren); win.SetSize(640, 480)
ren.ResetCamera(); win.Render()
grab = vtk.vtkWindowToImageFilter(); grab.SetInput(win); grab.Update()
w = vtk.vtkPNGWriter(); w.SetFileName(sys.argv[2]); w.SetInputConnection(grab.GetOutputPort()); w.Write()
