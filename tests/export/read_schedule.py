"""read_schedule.py PATH: the rows of a room schedule as JSON, read by Python's csv module (.csv,
.txt tab-delimited) or by xlrd (.xls): texts as strings, numbers as numbers in a workbook and as
their text in delimited files, each row without its trailing empty cells. Exits 3, printing
{"missing": ...}, when xlrd is needed and not installed."""
import csv
import json
import sys


def trimmed(row):
    while row and row[-1] == "":
        row.pop()
    return row


def read_delimited(path, delimiter):
    with open(path, newline="", encoding="latin-1") as f:
        return [trimmed(list(row)) for row in csv.reader(f, delimiter=delimiter)]


def read_workbook(path):
    try:
        import xlrd
    except ImportError as error:
        print(json.dumps({"missing": str(error)}))
        sys.exit(3)
    sheet = xlrd.open_workbook(path).sheet_by_index(0)
    rows = []
    for r in range(sheet.nrows):
        rows.append(trimmed(["" if c.ctype == xlrd.XL_CELL_EMPTY else c.value
                             for c in sheet.row(r)]))
    return rows


def main():
    path = sys.argv[1]
    extension = path.rsplit(".", 1)[-1].lower()
    if extension == "xls":
        rows = read_workbook(path)
    else:
        rows = read_delimited(path, "," if extension == "csv" else "\t")
    print(json.dumps({"rows": rows}))


if __name__ == "__main__":
    main()
