#!/usr/bin/python3
"""Writes the DXF drawings of the import tests with ezdxf (Debian's python3-ezdxf),
a writer that shares nothing with the program's reader.

Run from anywhere: /usr/bin/python3 tests/data/dxf/make_dxf.py
The drawings are written beside this script; the tests read the committed files.
"""
import math
import os

import ezdxf
from ezdxf import units

HERE = os.path.dirname(os.path.abspath(__file__))


def new(version="R2000", insunits=units.MM):
    """A drawing; R12 headers have no $INSUNITS, so give None for them."""
    doc = ezdxf.new(version)
    if insunits is not None:
        doc.units = insunits
    return doc


def save(doc, name):
    doc.saveas(os.path.join(HERE, name))


# A 100 x 50 rectangle, counter-clockwise, in millimetres.
doc = new()
doc.modelspace().add_lwpolyline([(0, 0), (100, 0), (100, 50), (0, 50)], close=True)
save(doc, "rectangle.dxf")

# The same rectangle drawn clockwise, with a bored hole of radius 10 at (50, 25);
# in inches.
doc = new(insunits=units.IN)
msp = doc.modelspace()
msp.add_lwpolyline([(0, 0), (0, 50), (100, 50), (100, 0)], close=True)
msp.add_circle((50, 25), 10)
save(doc, "rectangle_hole.dxf")

# A 120 x 80 plate whose corners are rounded with radius 10, as bulges of one
# LWPOLYLINE (a quarter turn is a bulge of tan(22.5 degrees)).
b = math.tan(math.radians(90) / 4)
doc = new()
doc.modelspace().add_lwpolyline(
    [(10, 0, 0), (110, 0, b), (120, 10, 0), (120, 70, b), (110, 80, 0), (10, 80, b),
     (0, 70, 0), (0, 10, b)],
    format="xyb", close=True)
save(doc, "rounded_plate.dxf")

# An L-shaped outline from LINE and ARC entities, in no particular order and with
# some lines drawn backwards: the outer corner at (80, 0) rounded with radius 6, the
# re-entrant corner at (20, 20) with radius 5. No units in the header.
doc = new("R12", insunits=None)
msp = doc.modelspace()
msp.add_line((80, 6), (80, 20))
msp.add_arc((25, 25), 5, 180, 270)          # re-entrant corner, counter-clockwise from 180
msp.add_line((0, 60), (0, 0))
msp.add_line((20, 25), (20, 60))
msp.add_arc((74, 6), 6, 270, 360)           # outer corner
msp.add_line((74, 0), (0, 0))               # backwards
msp.add_line((25, 20), (80, 20))            # backwards
msp.add_line((20, 60), (0, 60))
save(doc, "chain_l_shape.dxf")

# A 100 x 60 rectangle whose top edge bulges out as a half circle and whose bottom
# edge bulges in by a bulge of -0.25: neither arc is a fillet.
doc = new()
doc.modelspace().add_lwpolyline(
    [(0, 0, -0.25), (100, 0, 0), (100, 60, 1), (0, 60, 0)], format="xyb", close=True)
save(doc, "bulges.dxf")

# Nesting: a 100 x 100 plate, a square hole 20..80 in it, a round island of radius
# 10 in the hole, and a small hole of radius 4 near a corner of the plate.
doc = new()
msp = doc.modelspace()
msp.add_lwpolyline([(0, 0), (100, 0), (100, 100), (0, 100)], close=True)
msp.add_lwpolyline([(20, 20), (80, 20), (80, 80), (20, 80)], close=True)
msp.add_circle((50, 50), 10)
msp.add_circle((90, 90), 4)
save(doc, "nested.dxf")

# An old-style POLYLINE: a 60 x 30 slot whose ends are half circles (bulge 1), and a
# circle drawn from below the plane (extrusion 0, 0, -1): its centre (-100, 0) in its
# own plane is (100, 0) in the drawing.
doc = new("R12", insunits=None)
msp = doc.modelspace()
msp.add_polyline2d([(0, 0, 0, 0, 0), (60, 0, 0, 0, 1), (60, 30, 0, 0, 0), (0, 30, 0, 0, 1)],
                   format="xyseb", close=True)
msp.add_circle((-100, 0), 5, dxfattribs={"extrusion": (0, 0, -1)})
save(doc, "polyline_slot.dxf")

# Layers: a square on layer "Section", a frame round it on "Frame", a note on
# "Section" that is not an outline.
doc = new()
doc.layers.add("Section")
doc.layers.add("Frame")
msp = doc.modelspace()
msp.add_lwpolyline([(0, 0), (10, 0), (10, 10), (0, 10)], close=True,
                   dxfattribs={"layer": "Section"})
msp.add_circle((5, 5), 50, dxfattribs={"layer": "Frame"})
msp.add_text("10 x 10", dxfattribs={"layer": "Section"})
save(doc, "layers.dxf")

# Refusals. Three lines that do not close:
doc = new()
msp = doc.modelspace()
msp.add_line((0, 0), (10, 0))
msp.add_line((10, 0), (10, 10))
msp.add_line((10, 10), (0, 10))
save(doc, "open_chain.dxf")

# A closed outline of 251 vertices, one more than the table's node slots:
doc = new()
doc.modelspace().add_lwpolyline(
    [(50 * math.cos(2 * math.pi * k / 251), 50 * math.sin(2 * math.pi * k / 251))
     for k in range(251)], close=True)
save(doc, "too_many_points.dxf")

# 101 circles, one more section than the table holds:
doc = new()
msp = doc.modelspace()
for k in range(101):
    msp.add_circle((10 * (k % 10), 10 * (k // 10)), 2)
save(doc, "too_many_sections.dxf")

# Nothing that outlines a section: a note and a point.
doc = new()
msp = doc.modelspace()
msp.add_text("no section here")
msp.add_point((1, 2))
save(doc, "nothing.dxf")

# A 0.4 x 0.8 m rectangle far from the origin, at (354000, 5400000) m, as a site
# plan's coordinates put it; single precision there keeps only a few centimetres.
doc = new(insunits=units.M)
doc.modelspace().add_lwpolyline(
    [(354000, 5400000), (354000.4, 5400000), (354000.4, 5400000.8), (354000, 5400000.8)],
    close=True)
save(doc, "far_rectangle.dxf")

# An I-section 100 wide and 200 deep (flanges 8.5, web 5.6, root fillets of radius
# 12) drawn as block "I200" about its lower-left corner, placed on layer "Section"
# at (2000, 1000) turned a quarter; its depth dimensioned on layer "Dims" with a
# DIMENSION and two extension lines.
f = -math.tan(math.radians(90) / 4)
w1, w2 = 50 - 2.8, 50 + 2.8
doc = new()
doc.layers.add("Section")
doc.layers.add("Dims")
block = doc.blocks.new(name="I200")
block.add_lwpolyline(
    [(0, 0, 0), (100, 0, 0), (100, 8.5, 0), (w2 + 12, 8.5, f), (w2, 20.5, 0),
     (w2, 179.5, f), (w2 + 12, 191.5, 0), (100, 191.5, 0), (100, 200, 0), (0, 200, 0),
     (0, 191.5, 0), (w1 - 12, 191.5, f), (w1, 179.5, 0), (w1, 20.5, f), (w1 - 12, 8.5, 0),
     (0, 8.5, 0)],
    format="xyb", close=True)
msp = doc.modelspace()
msp.add_blockref("I200", (2000, 1000), dxfattribs={"layer": "Section", "rotation": 90})
msp.add_line((2000, 1000), (2000, 1040), dxfattribs={"layer": "Dims"})
msp.add_line((1800, 1000), (1800, 1040), dxfattribs={"layer": "Dims"})
msp.add_linear_dim(base=(1900, 1030), p1=(2000, 1000), p2=(1800, 1000),
                   dxfattribs={"layer": "Dims"}).render()
save(doc, "block_section.dxf")

# Refusals. An outline that crosses itself:
doc = new()
doc.modelspace().add_lwpolyline([(0, 0), (100, 100), (100, 0), (0, 40)], close=True)
save(doc, "self_crossing.dxf")

# The same outline twice:
doc = new()
msp = doc.modelspace()
for k in range(2):
    msp.add_lwpolyline([(0, 0), (60, 0), (60, 20), (0, 20)], close=True)
save(doc, "duplicate.dxf")
