#!/usr/bin/env python3
"""The Windows release package as a user gets it: made with CPack from the
win32 or win64 build, unpacked into a fresh folder, checked for its files and for
imports outside the system DLLs and for binaries of another architecture,
and run from there: the cross-process
plug-in test against the unpacked VorMapper.exe, vmm.exe new and info, and
playclient.exe's own argument check, and a program built against the
packaged header and import library calling the packaged vorh.dll.

  package_test.py --build BUILD_DIR --arch win32|win64 --tools TRIPLE --out DIR
                  --plugin-test PLUGIN_SESSION_TESTS_EXE
"""
import argparse
import glob
import os
import re
import shutil
import subprocess
import sys
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
WINE_RUN = os.path.join(HERE, "..", "wine", "wine-run.sh")
FILES = {"VorMapper.exe", "vorh.dll", "vorh.h", "vorh.def", "libvorh.dll.a", "vmm.exe", "playclient.exe",
         "README.md", "LICENSE"}
# What objdump -f says of a binary of each kind, and the import library's
# symbol for one export (stdcall-decorated on 32-bit only).
FORMAT = {"win32": "pei-i386", "win64": "pei-x86-64"}
IMPORT_SYMBOL = {"win32": "__imp__vorhStartHook@16", "win64": "__imp_vorhStartHook"}
SYSTEM_DLLS = {"advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
               "shell32.dll", "user32.dll", "ws2_32.dll", "ole32.dll", "oleaut32.dll", "shlwapi.dll", "imm32.dll",
               "winmm.dll", "version.dll", "uxtheme.dll"}


def winpath(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run(args, cwd, env=None, timeout=300):
    p = subprocess.run(args, cwd=cwd, env=env, stdin=subprocess.DEVNULL, capture_output=True, text=True,
                       errors="replace", timeout=timeout)
    return p.returncode, p.stdout + p.stderr


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", required=True)
    ap.add_argument("--arch", required=True, choices=sorted(FORMAT))
    ap.add_argument("--tools", required=True, help="the cross tools' prefix, e.g. x86_64-w64-mingw32")
    ap.add_argument("--out", required=True)
    ap.add_argument("--plugin-test", required=True)
    a = ap.parse_args()
    objdump, nm, cxx = (a.tools + "-" + t for t in ("objdump", "nm", "g++-posix"))
    build, out = os.path.abspath(a.build), os.path.abspath(a.out)
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out)

    code, text = run(["cpack", "-G", "ZIP", "-B", os.path.join(out, "pack")], cwd=build)
    zips = glob.glob(os.path.join(out, "pack", "VorMapper-*-%s.zip" % a.arch))
    if code != 0 or len(zips) != 1:
        print(text)
        raise AssertionError("cpack made no VorMapper-<version>-%s.zip" % a.arch)
    name = os.path.basename(zips[0])
    if not re.fullmatch(r"VorMapper-\d+\.\d+\.\d+-%s\.zip" % a.arch, name):
        raise AssertionError("the package is named %s" % name)

    fresh = os.path.join(out, "unpacked")
    with zipfile.ZipFile(zips[0]) as z:
        z.extractall(fresh)
    top = os.listdir(fresh)
    if len(top) != 1:
        raise AssertionError("the package should hold one folder, not %r" % top)
    home = os.path.join(fresh, top[0])
    got = set(os.listdir(home))
    if got != FILES:
        raise AssertionError("the package holds %s; missing %s, extra %s" %
                             (sorted(got), sorted(FILES - got), sorted(got - FILES)))
    for binary in ("VorMapper.exe", "vorh.dll", "vmm.exe", "playclient.exe"):
        code, text = run([objdump, "-f", os.path.join(home, binary)], cwd=home)
        if code != 0 or "file format %s" % FORMAT[a.arch] not in text:
            raise AssertionError("%s is not a %s binary: %s" % (binary, a.arch, text.strip()))
        code, text = run([objdump, "-p", os.path.join(home, binary)], cwd=home)
        dlls = {l.split(":", 1)[1].strip().lower() for l in text.splitlines() if "DLL Name:" in l}
        if code != 0 or not dlls or dlls - SYSTEM_DLLS:
            raise AssertionError("%s needs %s beside the system DLLs" % (binary, sorted(dlls - SYSTEM_DLLS)))
    code, text = run([nm, os.path.join(home, "libvorh.dll.a")], cwd=home)
    if IMPORT_SYMBOL[a.arch] not in text.split():
        raise AssertionError("the import library lacks the docking library's exports")
    print("package: %s holds %s, %s binaries importing system DLLs only" % (name, ", ".join(sorted(FILES)), a.arch), flush=True)

    # Run from the unpacked folder.
    env = dict(os.environ, VORMAPPER_EXE=winpath(os.path.join(home, "VorMapper.exe")))
    code, text = run([WINE_RUN, a.plugin_test], cwd=home, env=env, timeout=400)
    if code != 0:
        print(text)
        raise AssertionError("the plug-in test failed against the unpacked VorMapper.exe (exit %d)" % code)
    print("package: the cross-process plug-in test passed with the unpacked VorMapper.exe", flush=True)
    map_path = os.path.join(out, "fresh.vmm")
    code, text = run([WINE_RUN, os.path.join(home, "vmm.exe"), "new", winpath(map_path)], cwd=home)
    if code != 0:
        raise AssertionError("vmm.exe new failed: %s" % text.strip())
    code, text = run([WINE_RUN, os.path.join(home, "vmm.exe"), "info", winpath(map_path)], cwd=home)
    if code != 0 or "version" not in text.lower():
        raise AssertionError("vmm.exe info failed (exit %d): %s" % (code, text.strip()))
    code, text = run([WINE_RUN, os.path.join(home, "playclient.exe"), "--no-such-option"], cwd=home)
    if code != 2 or "usage" not in text:
        raise AssertionError("playclient.exe did not start and check its arguments (exit %d): %s" % (code, text))
    print("package: vmm.exe new and info, and playclient.exe run from the unpacked folder", flush=True)

    # A client author's program, built against the header and the import
    # library of the package, calls into its vorh.dll.
    probe_src = os.path.join(out, "probe.cpp")
    with open(probe_src, "w") as f:
        f.write('#include "vorh.h"\n#include <cstdio>\n'
                'int main() { std::printf("docked %d dockable %d\\n", vorhCheckDocked(nullptr), '
                'vorhCheckDockable(nullptr)); return 0; }\n')
    probe = os.path.join(home, "probe.exe")
    code, text = run([cxx, "-static", "-I", home, probe_src,
                      os.path.join(home, "libvorh.dll.a"), "-o", probe], cwd=out)
    if code != 0:
        raise AssertionError("a program does not build against vorh.h and libvorh.dll.a: %s" % text)
    code, text = run([WINE_RUN, probe], cwd=home)
    if code != 0 or "docked 0 dockable 0" not in text:
        raise AssertionError("the program built against the package did not run with its vorh.dll (exit %d): %s" %
                             (code, text.strip()))
    print("package: a program built against vorh.h and libvorh.dll.a runs with the packaged vorh.dll", flush=True)
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (AssertionError, OSError, subprocess.SubprocessError) as e:
        print("FAIL: %s" % e, flush=True)
        sys.exit(1)
