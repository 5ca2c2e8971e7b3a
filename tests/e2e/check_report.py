#!/usr/bin/env python3
"""Judges one run of a GoogleTest driver by its XML report.

    check_report.py REPORT [--listed N] [--expected-skips FILE] [--skip-log FILE]

A run passes only when every test it was given ran: at least N tests when
--listed says how many the filter selects (else at least one), none left
out (a disabled test is listed but does not run), and none skipped unless
FILE names it with its reason. Each skipped test is appended to the skip
log as "Suite.Test: reason", so that the summary of the whole run can name
it. Exit code 0 on a pass, 1 otherwise, saying why on stderr.
"""
import argparse
import sys
import xml.etree.ElementTree as ElementTree


def expected_skips(path):
    """Suite.Test -> reason, from lines "Suite.Test  reason"; # starts a comment."""
    skips = {}
    if not path:
        return skips
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            line = line.split("#", 1)[0].strip()
            if line:
                name, _, reason = line.partition(" ")
                skips[name] = reason.strip()
    return skips


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("report")
    parser.add_argument("--listed", type=int, default=1)
    parser.add_argument("--expected-skips")
    parser.add_argument("--skip-log")
    args = parser.parse_args()

    allowed = expected_skips(args.expected_skips)
    ran, left_out, skipped, problems = 0, [], [], []
    for case in ElementTree.parse(args.report).getroot().iter("testcase"):
        name = case.get("classname") + "." + case.get("name")
        if case.get("status") != "run":
            left_out.append(name)
            continue
        ran += 1
        if case.get("result") == "skipped":
            element = case.find("skipped")
            message = element.get("message", "") if element is not None else ""
            message = message.strip().splitlines()[-1] if message.strip() else ""
            skipped.append(name)
            if name in allowed:
                with open(args.skip_log or "/dev/null", "a", encoding="utf-8") as log:
                    log.write(f"{name}: {allowed[name]}\n")
            else:
                problems.append(f"{name} skipped ({message or 'no reason given'}); "
                                "only the tests in the expected skips may skip")

    if left_out:
        problems.append("listed but not run: " + ", ".join(left_out))
    if ran < args.listed:
        problems.append(f"{ran} tests ran of the {args.listed} listed")
    for problem in problems:
        print(f"check_report.py: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
