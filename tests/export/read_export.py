"""read_export.py dxf PATH: what ezdxf sees of a drawing (load errors, audit, tables, blocks) as
JSON. Exits 3, printing {"missing": ...}, when ezdxf is not installed."""
import json
import sys


def point(vec):
    return [float(vec[0]), float(vec[1])]


def dxf_entity(entity, decode):
    kind = entity.dxftype()
    view = {"type": kind, "layer": entity.dxf.layer, "color": entity.dxf.get("color", 256)}
    if kind == "LINE":
        view["start"] = point(entity.dxf.start)
        view["end"] = point(entity.dxf.end)
    elif kind == "ARC":
        view["center"] = point(entity.dxf.center)
        view["radius"] = entity.dxf.radius
        view["angles"] = [entity.dxf.start_angle, entity.dxf.end_angle]
    elif kind == "LWPOLYLINE":
        view["closed"] = bool(entity.closed)
        view["vertices"] = [[x, y, b] for x, y, _s, _e, b in entity.get_points()]
    elif kind == "HATCH":
        view["solid"] = bool(entity.dxf.solid_fill)
        view["pattern"] = entity.dxf.pattern_name
        paths = []
        for path in entity.paths:
            if hasattr(path, "vertices"):
                paths.append({"kind": "polyline", "closed": bool(path.is_closed),
                              "vertices": [[v[0], v[1], v[2]] for v in path.vertices]})
            else:
                paths.append({"kind": "edges",
                              "edges": [point(e.start) + point(e.end) for e in path.edges]})
        view["paths"] = paths
    elif kind == "TEXT":
        view["raw"] = entity.dxf.text
        view["text"] = decode(entity.dxf.text)
        view["insert"] = point(entity.dxf.insert)
        view["align"] = point(entity.dxf.get("align_point", (0.0, 0.0)))
        view["height"] = entity.dxf.height
        view["halign"] = entity.dxf.get("halign", 0)
        view["valign"] = entity.dxf.get("valign", 0)
        view["style"] = entity.dxf.style
    elif kind == "INSERT":
        view["name"] = entity.dxf.name
        view["insert"] = point(entity.dxf.insert)
        view["scale"] = [entity.dxf.get("xscale", 1.0), entity.dxf.get("yscale", 1.0),
                         entity.dxf.get("zscale", 1.0)]
    return view


def dxf_view(path):
    try:
        import ezdxf
        from ezdxf.lldxf.encoding import decode_dxf_unicode
    except ImportError as error:
        print(json.dumps({"missing": str(error)}))
        sys.exit(3)
    try:
        doc = ezdxf.readfile(path)
    except Exception as error:  # a drawing that does not load is the finding
        return {"load_error": "%s: %s" % (type(error).__name__, error)}
    view = {
        "version": doc.dxfversion,
        "linetypes": [lt.dxf.name for lt in doc.linetypes],
        "layers": [{"name": layer.dxf.name, "color": layer.dxf.color,
                    "linetype": layer.dxf.linetype, "lineweight": layer.dxf.lineweight}
                   for layer in doc.layers],
        "block_records": [record.dxf.name for record in doc.block_records],
        "blocks": [{"name": block.name,
                    "entities": [dxf_entity(e, decode_dxf_unicode) for e in block]}
                   for block in doc.blocks],
        "modelspace": [dxf_entity(e, decode_dxf_unicode) for e in doc.modelspace()],
    }
    # The audit may add what it finds missing, so the tables are read before it runs.
    auditor = doc.audit()
    view["audit_errors"] = ["%s %s" % (e.code, e.message) for e in auditor.errors]
    return view


def main():
    print(json.dumps(dxf_view(sys.argv[2])))


if __name__ == "__main__":
    main()
