"""Checks the Debian copyright file and the licence of Plantrek:

    copyright_check.py COPYRIGHT LICENSE [PROGRAM...]

- COPYRIGHT follows the machine-readable format 1.0 (parsed strictly by python3-debian): the
  header names the format and the upstream, the first Files paragraph is "*", every Files
  paragraph has a copyright and a licence, every licence it names has its text (in the paragraph
  or in a stand-alone License paragraph), no stand-alone licence is unused or given twice, and
  every file of /usr/share/common-licenses it points to exists;
- Plantrek's own files are under GPL-3+ and LICENSE is the GPL version 3;
- every shared library a PROGRAM is linked against is named in COPYRIGHT, so that a library
  added to the build cannot go unlisted.

Exits 77 (skipped) when python3-debian is not installed, 1 on any failure.
"""
import os
import re
import subprocess
import sys

FORMAT = "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"
# Run-time libraries of the tests' sanitizer builds only; the package never links them.
SANITIZER_RUNTIMES = re.compile(r"^lib(asan|ubsan|lsan|tsan)\.so")

failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message)


def short_names(expression):
    """The licence names of a License synopsis such as "LGPL-3 or GPL-2, and Zlib"."""
    parts = re.split(r"\s+(?:or|and)\s+|,\s*", expression.strip())
    return [part.strip() for part in parts if part.strip()]


def check_copyright(path):
    from debian import copyright as dep5

    try:
        with open(path, encoding="utf-8") as stream:
            document = dep5.Copyright(stream, strict=True)
    except (dep5.Error, ValueError, UnicodeDecodeError) as error:
        fail(f"{path} is not in the machine-readable format: {error}")
        return None
    header = document.header
    if header.format != FORMAT:
        fail(f"Format is {header.format!r}, not {FORMAT!r}")
    if not header.upstream_name:
        fail("the header has no Upstream-Name")

    files = list(document.all_files_paragraphs())
    if not files:
        fail("there is no Files paragraph")
        return document
    if files[0].files != ("*",):
        fail(f"the first Files paragraph is {files[0].files}, not *")

    standalone = {}
    for paragraph in document.all_license_paragraphs():
        name = paragraph.license.synopsis
        if name in standalone:
            fail(f"License: {name} is given twice")
        if not paragraph.license.text.strip():
            fail(f"the stand-alone License: {name} has no text")
        standalone[name] = paragraph.license.text

    used = set()
    for paragraph in files:
        where = " ".join(paragraph.files)
        if not (paragraph.copyright or "").strip():
            fail(f"Files: {where} has no Copyright")
        if paragraph.license is None or not paragraph.license.synopsis:
            fail(f"Files: {where} has no License")
            continue
        names = short_names(paragraph.license.synopsis)
        used.update(names)
        if not paragraph.license.text.strip():
            for name in names:
                if name not in standalone:
                    fail(f"Files: {where} names {name}, whose text is nowhere")
    for name in standalone:
        if name not in used:
            fail(f"License: {name} is not used by any Files paragraph")

    with open(path, encoding="utf-8") as stream:
        text = stream.read()
    for common in sorted(set(re.findall(r"/usr/share/common-licenses/[\w.+-]*\w", text))):
        if os.path.isdir("/usr/share/common-licenses") and not os.path.isfile(common):
            fail(f"{common} does not exist")

    if files[0].license is not None and files[0].license.synopsis != "GPL-3+":
        fail(f"Plantrek's files are under {files[0].license.synopsis}, not GPL-3+")
    return text


def check_licence_file(path):
    with open(path, encoding="utf-8") as stream:
        licence = stream.read()
    head = " ".join(licence.split()[:9])
    if head != "GNU GENERAL PUBLIC LICENSE Version 3, 29 June 2007":
        fail(f"{path} does not start as the GPL version 3: {head!r}")
    common = "/usr/share/common-licenses/GPL-3"
    if os.path.isfile(common):
        with open(common, encoding="utf-8") as stream:
            if stream.read() != licence:
                fail(f"{path} differs from {common}")


def linked_libraries(program):
    output = subprocess.run(["readelf", "--dynamic", "--wide", program], check=True,
                            capture_output=True, text=True).stdout
    return re.findall(r"\(NEEDED\)\s+Shared library: \[([^\]]+)\]", output)


def main(argv):
    if len(argv) < 3:
        print(__doc__)
        return 2
    try:
        import debian.copyright  # noqa: F401
    except ImportError:
        print("skipped: python3-debian is not installed")
        return 77
    copyright_text = check_copyright(argv[1])
    check_licence_file(argv[2])
    for program in argv[3:]:
        for library in linked_libraries(program):
            if SANITIZER_RUNTIMES.match(library):
                continue
            if copyright_text is not None and library not in copyright_text:
                fail(f"{os.path.basename(program)} links {library}, which the copyright "
                     "file does not name")
    if failures:
        print(f"{len(failures)} check(s) failed")
        return 1
    print("copyright checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
