#!/usr/bin/env python3
"""Checks every relative link and image in the repository's Markdown files:
the file must exist and a #fragment must name a heading of the target."""
import os, re, subprocess, sys

root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
files = subprocess.run(["git", "-C", root, "ls-files", "--cached", "--others",
                        "--exclude-standard", "*.md"], capture_output=True, text=True).stdout.split()

def slugs(path):
    out, seen = set(), {}
    in_code = False
    for line in open(path, encoding="utf-8"):
        if line.startswith("```"):
            in_code = not in_code
        if in_code:
            continue
        m = re.match(r"#{1,6}\s+(.*?)\s*#*\s*$", line)
        if not m:
            continue
        text = re.sub(r"[`*_]|\[([^\]]*)\]\([^)]*\)", lambda g: g.group(1) or "", m.group(1))
        slug = re.sub(r"[^\w\- ]", "", text.lower(), flags=re.UNICODE).replace(" ", "-")
        n = seen.get(slug, 0)
        seen[slug] = n + 1
        out.add(slug if n == 0 else f"{slug}-{n}")
    return out

bad = checked = 0
link = re.compile(r"!?\[[^\]]*\]\(([^)\s]+)(?:\s+\"[^\"]*\")?\)")
for f in files:
    path = os.path.join(root, f)
    in_code = False
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        if line.startswith("```"):
            in_code = not in_code
        if in_code:
            continue
        for target in link.findall(re.sub(r"`[^`]*`", "", line)):
            if re.match(r"[a-z]+:", target):
                continue
            checked += 1
            name, _, fragment = target.partition("#")
            dest = os.path.normpath(os.path.join(os.path.dirname(path), name)) if name else path
            if not os.path.exists(dest):
                print(f"{f}:{number}: missing {target}")
                bad += 1
            elif fragment and dest.endswith(".md") and fragment not in slugs(dest):
                print(f"{f}:{number}: no heading #{fragment} in {name or f}")
                bad += 1
print(f"{checked} relative links and images in {len(files)} Markdown files, {bad} broken")
sys.exit(1 if bad else 0)
