#!/usr/bin/env python3
"""Turns Google Benchmark's JSON output into the table scripts/bench prints: the median of each
benchmark at every site size, the ratios of open and repaint to their floors, the growth from
1,000 to 10,000 rooms, and the targets at 1,000 rooms. Usage: report.py RESULTS.json"""
import json
import sys

SIZES = [10, 100, 1000, 10000]
ROWS = [
    ("Open", "open .tcd"),
    ("TokenizeFloor", "  floor: tokenize"),
    ("Save", "save .tcd"),
    ("Repaint", "repaint 1920x1080"),
    ("RepaintWithoutNames", "  same, names off"),
    ("PolygonFloor", "  floor: polygons"),
    ("HitIndex", "hit index build"),
    ("Pick", "pick"),
    ("Snap", "snap (drag)"),
    ("SnapCommand", "snap command"),
    ("RoomSnap", "room snap (drag)"),
    ("RoomSnapIndex", "  room snap index"),
    ("Snapshot", "undo snapshot"),
    ("OpenDocument", "open document"),
    ("Info", "info (open + JSON)"),
    ("InfoOpenings", "  same, 2 openings"),
    ("ExportDxf", "export DXF"),
    ("ExportXls", "export XLS"),
    ("ExportCsv", "export CSV"),
    ("ExportScheduleXls", "schedule XLS"),
    ("ExportScheduleCsv", "schedule CSV"),
    ("ExportJpeg", "export JPEG"),
    ("CloseRoom500", "close 500 walls"),
]
# At 1,000 rooms, in milliseconds, or as a multiple of a floor.
TARGETS = {
    "Open": ("floor", "TokenizeFloor", 2.0),
    "Repaint": ("floor", "PolygonFloor", 2.0),
    "Pick": ("ms", None, 0.1),
    "Snap": ("ms", None, 0.1),
    "SnapCommand": ("ms", None, 0.1),
    "Snapshot": ("ms", None, 5.0),
    "Save": ("ms", None, 50.0),
    "ExportDxf": ("ms", None, 100.0),
}
# Ten times the rooms may cost ten times as much; a fifth more is left to the machine's noise.
LINEAR_GROWTH = 12.0
TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def medians(results, field):
    found = {}
    for b in results["benchmarks"]:
        if b.get("aggregate_name", "median") != "median" or b.get("error_occurred"):
            continue
        name = b["run_name"] if "run_name" in b else b["name"]
        parts = name.split("/")
        base = parts[0][3:] if parts[0].startswith("BM_") else parts[0]
        size = int(parts[1]) if len(parts) > 1 else None
        found[(base, size)] = b[field] * TO_MS[b.get("time_unit", "ns")]
    return found


def cell(ms):
    if ms is None:
        return "-"
    if ms >= 100:
        return "%.0f" % ms
    if ms >= 1:
        return "%.2f" % ms
    return "%.4f" % ms


def main():
    with open(sys.argv[1]) as f:
        results = json.load(f)
    field = "cpu_time" if "--cpu" in sys.argv else "real_time"
    m = medians(results, field)
    print("Medians in milliseconds (%s time)." % ("CPU" if field == "cpu_time" else "wall"))
    header = "%-20s" % "" + "".join("%12s" % ("%d rooms" % s) for s in SIZES) + "%10s" % "10k/1k  "
    print(header)
    print("-" * len(header))
    for base, label in ROWS:
        values = [m.get((base, s)) for s in SIZES]
        if all(v is None for v in values):
            single = m.get((base, None))
            if single is None:
                continue
            print("%-20s%12s   (one room, the same at every size)" % (label, cell(single)))
            continue
        growth = "-"
        if values[2] and values[3]:
            ratio = values[3] / values[2]
            growth = "%.1fx%s" % (ratio, " !" if ratio > LINEAR_GROWTH else "  ")
        print("%-20s" % label + "".join("%12s" % cell(v) for v in values) + "%10s" % growth)
    print("(! grows faster than linearly from 1,000 to 10,000 rooms: more than %.0fx)"
          % LINEAR_GROWTH)
    print()
    print("Ratios to the floors:")
    for base, floor in (("Open", "TokenizeFloor"), ("Repaint", "PolygonFloor"),
                        ("RepaintWithoutNames", "PolygonFloor"), ("Info", "OpenDocument")):
        ratios = []
        for s in SIZES:
            a, b = m.get((base, s)), m.get((floor, s))
            ratios.append("%.2fx" % (a / b) if a and b else "-")
        print("%-20s" % ("%s/%s" % (base, floor))[:20] + "".join("%12s" % r for r in ratios))
    print()
    print("Targets at 1,000 rooms:")
    for base, (kind, floor, limit) in TARGETS.items():
        value = m.get((base, 1000))
        if value is None:
            continue
        if kind == "floor":
            base_value = m.get((floor, 1000))
            if not base_value:
                continue
            ratio = value / base_value
            verdict = "met" if ratio <= limit else "MISSED"
            print("  %-14s %8.2fx the floor (target %.0fx)  %s" % (base, ratio, limit, verdict))
        else:
            verdict = "met" if value <= limit else "MISSED"
            print("  %-14s %8s ms (target %s ms)  %s" % (base, cell(value), cell(limit), verdict))
    info, opened = m.get(("Info", 10000)), m.get(("OpenDocument", 10000))
    if info and opened:
        print("  %-14s %8.2fx open at 10,000 rooms (target 1.5x)  %s"
              % ("Info", info / opened, "met" if info <= 1.5 * opened else "MISSED"))
    for base, floor in (("InfoOpenings", "Info"), ("ExportScheduleXls", "ExportXls"),
                        ("ExportScheduleCsv", "ExportCsv")):
        value, today = m.get((base, 10000)), m.get((floor, 10000))
        if value and today:
            print("  %-17s %5.2fx %s at 10,000 rooms (target 1.5x)  %s"
                  % (base, value / today, floor,
                     "met" if value <= 1.5 * today else "MISSED"))
    room_snap = m.get(("RoomSnap", 10000))
    if room_snap is not None:
        print("  %-14s %8s ms at 10,000 rooms (target 2 ms)  %s"
              % ("RoomSnap", cell(room_snap), "met" if room_snap <= 2 else "MISSED"))
    repaint = m.get(("Repaint", 1000))
    if repaint is not None:
        print("  %-14s %8s ms (target 16 ms)  %s" % ("Repaint", cell(repaint),
                                                  "met" if repaint <= 16 else "MISSED"))


if __name__ == "__main__":
    main()
