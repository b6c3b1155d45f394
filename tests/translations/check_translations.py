#!/usr/bin/env python3
"""Fails when a shipped translation has fallen behind the sources.

lupdate is run over the sources into copies of the .ts files, with the options the build
uses; then every message must be finished (none new or unfinished), none may have vanished
from the sources, and each translation must keep its placeholders and give every plural
form. Usage: check_translations.py LUPDATE SOURCE_DIR [LUPDATE_OPTION...]
"""
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

PLACEHOLDER = re.compile(r"%(?:L?n|[1-9])")


def faults_of(ts_file):
    faults = []
    root = ET.parse(ts_file).getroot()
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            where = f"{name}: {source[:60]!r}"
            translation = message.find("translation")
            kind = translation.get("type") if translation is not None else "missing"
            if kind in ("unfinished", "vanished", "obsolete", "missing"):
                faults.append(f"{where}: {kind}")
                continue
            numerus = message.get("numerus") == "yes"
            forms = ([f.text or "" for f in translation.iter("numerusform")] if numerus
                     else [translation.text or ""])
            if numerus and len(forms) != 2:
                faults.append(f"{where}: {len(forms)} plural forms, not 2")
            wanted = set(PLACEHOLDER.findall(source))
            for form in forms:
                if not form.strip():
                    faults.append(f"{where}: an empty translation")
                # A singular may spell its number out ("ein Objekt"); a placeholder it
                # keeps or adds must still be the source's.
                have = set(PLACEHOLDER.findall(form))
                missing = wanted - have - ({"%n"} if numerus else set())
                if missing or have - wanted:
                    faults.append(f"{where}: placeholders {sorted(have)} against {sorted(wanted)}")
    return faults


def main():
    lupdate, source_dir, options = sys.argv[1], Path(sys.argv[2]), sys.argv[3:]
    shipped = sorted((source_dir / "translations").glob("zurizede_*.ts"))
    if len(shipped) < 2:
        sys.exit(f"expected the German and French translations in {source_dir}/translations")
    with tempfile.TemporaryDirectory() as work:
        copies = [shutil.copy(ts, work) for ts in shipped]
        sources = [str(source_dir / d) for d in ("controller", "platform", "app")]
        sources.append(str(source_dir / "resources" / "MainWindow.ui"))
        subprocess.run([lupdate, *options, *sources, "-ts", *copies], check=True,
                       stdout=subprocess.DEVNULL)
        failed = False
        for copy in copies:
            faults = faults_of(copy)
            for fault in faults:
                print(f"{Path(copy).name}: {fault}")
            failed |= bool(faults)
            print(f"{Path(copy).name}: {len(faults)} faults")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
