"""The release zip and the package managers' manifests that scripts/dist writes beside it."""
import hashlib
import json
import subprocess
import zipfile

import yaml

from conftest import ROOT

BASE = "https://downloads.example.org/vantrel"
DIST = ROOT / "build" / "dist"


def dist(*arguments):
    return subprocess.run([str(ROOT / "scripts" / "dist"), *arguments], capture_output=True, text=True, timeout=900)


def test_dist_writes_winget_and_scoop_manifests_of_the_zip_only_with_its_address():
    without = dist()
    assert without.returncode == 0, without.stderr
    assert "--release-url" in without.stderr
    assert not (DIST / "winget").exists() and not (DIST / "vantrel.json").exists()

    run = dist("--release-url", BASE + "/")
    assert run.returncode == 0, run.stderr
    archive = ROOT / run.stdout.splitlines()[0]
    sha256 = hashlib.sha256(archive.read_bytes()).hexdigest()
    names = set(zipfile.ZipFile(archive).namelist())
    url = f"{BASE}/{archive.name}"
    version = archive.stem.split("-", 1)[1]

    winget = {path.name: yaml.safe_load(path.read_text()) for path in (DIST / "winget").glob("*.yaml")}
    assert sorted(winget) == ["Vantrel.Vantrel.installer.yaml", "Vantrel.Vantrel.locale.en-US.yaml",
                              "Vantrel.Vantrel.yaml"]
    for manifest in winget.values():
        assert (manifest["PackageIdentifier"], manifest["PackageVersion"], manifest["ManifestVersion"]) == \
            ("Vantrel.Vantrel", version, "1.12.0")
    assert winget["Vantrel.Vantrel.yaml"]["ManifestType"] == "version"
    assert winget["Vantrel.Vantrel.yaml"]["DefaultLocale"] == "en-US"
    locale = winget["Vantrel.Vantrel.locale.en-US.yaml"]
    assert locale["ManifestType"] == "defaultLocale" and locale["PackageLocale"] == "en-US"
    for field in ("Publisher", "PackageName", "License", "ShortDescription"):
        assert locale[field], field
    installer = winget["Vantrel.Vantrel.installer.yaml"]
    assert (installer["ManifestType"], installer["InstallerType"], installer["NestedInstallerType"]) == \
        ("installer", "zip", "portable")
    paths = {}
    for entry in installer["Installers"]:
        assert entry["InstallerUrl"] == url
        assert entry["InstallerSha256"].lower() == sha256
        (nested,) = entry["NestedInstallerFiles"]
        assert nested["PortableCommandAlias"] == "vantrel"
        paths[entry["Architecture"]] = nested["RelativeFilePath"]
    top = archive.stem
    assert paths == {"x86": f"{top}\\Vantrel.exe", "x64": f"{top}\\x64\\Vantrel.exe"}
    assert {path.replace("\\", "/") for path in paths.values()} <= names

    scoop = json.loads((DIST / "vantrel.json").read_text())
    assert (scoop["version"], scoop["url"], scoop["hash"], scoop["extract_dir"]) == (version, url, sha256, top)
    assert sorted(scoop["architecture"]) == ["32bit", "64bit"]
    for arch, exe in (("32bit", "Vantrel.exe"), ("64bit", "x64\\Vantrel.exe")):
        assert scoop["architecture"][arch]["bin"] == [[exe, "vantrel"]]
        assert scoop["architecture"][arch]["shortcuts"] == [[exe, "Vantrel"]]
        assert f"{top}/{exe}".replace("\\", "/") in names
    # Each persisted file is made before Scoop links it; otherwise Scoop makes a folder of its name.
    assert "Vantrel.ini" in scoop["persist"]
    for name in scoop["persist"]:
        assert f'New-Item "$dir\\{name}" -ItemType File' in scoop["pre_install"]
    assert scoop["checkver"]["url"].startswith(BASE) and "(" in scoop["checkver"]["regex"]
    assert scoop["autoupdate"]["url"] == f"{BASE}/Vantrel-$version.zip"
