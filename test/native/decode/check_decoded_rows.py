#!/usr/bin/env python3
"""Compares every decoded row Sektra shows for the demo set and the test disk with what
independent decoders print for the same reply bytes: sg_inq and sg_vpd (INQUIRY and VPD pages),
sg_logs (log pages) and sdparm (mode pages). The mode header and block descriptors, which sdparm
does not print for a reply read from a file, are read here by their published layout.

usage: check_decoded_rows.py REPLY_DUMP [--iscsi] [FOLDER]
REPLY_DUMP writes NAME.hex (reply bytes) and NAME.fields (label id, value) into FOLDER (a
temporary folder when none is given). With --iscsi it dumps the disks of the units that
scripts/tgt-fixture.sh serves (SEKTRA_ISCSI_DISK512, _DISK4K, _BIG) instead of the demo set.
Exits 77 when a decoder program or the target is missing."""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

TOOLS = ("sg_inq", "sg_vpd", "sg_logs", "sdparm")


def lead_int(value):
    m = re.match(r"-?\d+", value)
    return int(m.group(0)) if m else None


def bit(value):
    """The bit of a flag value such as '有効 (WCE=1)'."""
    m = re.search(r"=(\d)\)$", value)
    return int(m.group(1)) if m else None


def run(args):
    return subprocess.run(args, capture_output=True, text=True, check=False).stdout


def grab(text, pattern, conv=int):
    m = re.search(pattern, text, re.M)
    return conv(m.group(1)) if m else None


def bytes_of(path):
    with open(path) as f:
        return bytes(int(cell, 16) for cell in f.read().split())


# Each rule: label id -> (how to read Sektra's value, what the tool says).
def inquiry_rules(out):
    text = lambda name: grab(out, r"^ %s: (.*)$" % name, lambda s: s.rstrip())
    return {
        800: (lead_int, grab(out, r"PDT=(\d+)")),
        801: (lead_int, grab(out, r"PQual=(\d+)")),
        802: (bit, grab(out, r"RMB=(\d)")),
        803: (lead_int, grab(out, r"version=0x([0-9a-f]+)", lambda s: int(s, 16))),
        804: (lead_int, grab(out, r"Resp_data_format=(\d+)")),
        805: (bit, grab(out, r"HiSUP=(\d)")),
        806: (bit, grab(out, r"Protect=(\d)")),
        807: (bit, grab(out, r"CmdQue=(\d)")),
        808: (str, text("Vendor identification")),
        809: (str, text("Product identification")),
        810: (str, text("Product revision level")),
    }


FORM_FACTORS = {"not reported": 0, "5.25 inch": 1, "3.5 inch": 2, "2.5 inch": 3, "1.8 inch": 4}


def rotation(out):
    if "Non-rotating medium" in out:
        return 1
    if "rotation rate is not reported" in out:
        return 0
    return grab(out, r"Nominal rotation rate: (\d+) rpm") or grab(out, r"Nominal rotation rate: (\d+)")


def vpd_rules(out, page):
    if page == 0x80:
        return {901: (str, grab(out, r"Unit serial number: (.*)$", str.strip))}
    if page == 0xB0:
        # Large limits print in hex ("0x400000 blocks").
        blocks = lambda name: grab(out, r"^  %s: (0x[0-9a-f]+|\d+)" % re.escape(name), lambda s: int(s, 0))
        valid = grab(out, r"Unmap granularity alignment valid: (\w+)", str)
        return {
            817: (lead_int, blocks("Maximum transfer length")),
            818: (lead_int, blocks("Optimal transfer length")),
            819: (lead_int, blocks("Optimal transfer length granularity")),
            820: (lead_int, blocks("Maximum prefetch transfer length")),
            821: (lead_int, blocks("Maximum unmap LBA count")),
            822: (lead_int, blocks("Maximum unmap block descriptor count")),
            823: (lead_int, blocks("Optimal unmap granularity")),
            824: ((lambda v: lead_int(v) if "UGAVALID" not in v else "invalid"),
                  blocks("Unmap granularity alignment") if valid == "true" else "invalid"),
            825: (lead_int, blocks("Maximum write same length")),
        }
    if page == 0xB1:
        factor = grab(out, r"Nominal form factor: (.*)$", str.strip)
        if "Nominal form factor not reported" in out:
            factor = "not reported"
        return {906: (lead_int, rotation(out)), 827: (lead_int, FORM_FACTORS.get(factor, factor))}
    if page == 0xB2:
        flag = lambda name: grab(out, r"\(%s\): (\d+)" % name)
        return {
            828: (lead_int, grab(out, r"Threshold exponent: (\d+)")),
            829: (bit, flag("LBPU")), 830: (bit, flag("LBPWS")), 831: (bit, flag("LBPWS10")),
            832: (lead_int, flag("LBPRZ")), 834: (bit, flag("ANC_SUP")),
            833: (lead_int, grab(out, r"Provisioning type: (\d+)")),
        }
    return {}


ASSOCIATIONS = {"Addressed logical unit": "論理ユニット", "Target port": "ターゲット ポート",
                "Target device": "ターゲット デバイス"}
CODE_SETS = {"Binary": "バイナリ", "ASCII": "ASCII", "UTF-8": "UTF-8"}
DESIGNATOR_LABELS = {"T10 vendor identification": 812, "EUI-64 based": 813, "NAA": 814, "SCSI name string": 815}


def designators(out):
    """(label, identifier, association, code set) of each designator sg_vpd lists, in order."""
    found, association, current = [], None, None
    for line in out.splitlines():
        s = line.strip()
        for key, name in ASSOCIATIONS.items():
            if s.startswith(key):
                association = name
        m = re.match(r"designator type: (.*?),\s+code set: (\S+)", s)
        if m:
            current = [DESIGNATOR_LABELS.get(m.group(1), 816), "", association, CODE_SETS.get(m.group(2), m.group(2))]
            found.append(current)
        elif current is not None and s and not s.endswith(":"):
            s = re.sub(r"^(vendor id|vendor specific|SCSI name string): ?", "", s)
            current[1] = (current[1] + " " + s).strip()
    return found


def compare_designators(name, fields, out):
    problems = []
    expected = designators(out)
    if len(expected) != len(fields):
        return ["%s: %d designators shown, sg_vpd lists %d" % (name, len(fields), len(expected))]
    for (label, value), (want_label, ident, association, code_set) in zip(fields, expected):
        m = re.match(r"(.*) \((.*), (.*)\)$", value)
        shown = (label, " ".join(m.group(1).split()).lower(), m.group(2), m.group(3)) if m else (label, value)
        want = (want_label, " ".join(ident.split()).lower().replace("0x", "", 1) if want_label in (813, 814) else
                " ".join(ident.split()).lower(), association, code_set)
        if shown != want:
            problems.append("%s: shown %r, sg_vpd %r" % (name, shown, want))
    return problems


COUNTERS = {
    864: "Errors corrected without substantial delay", 865: "Errors corrected with possible delays",
    866: "Total rewrites or rereads", 867: "Total errors corrected",
    868: "Total times correction algorithm processed", 869: "Total bytes processed",
    870: "Total uncorrected errors",
}
SCAN_STATES = {"no background scans active": 0, "background medium scan is active": 1}


def year_week(value):
    return tuple(int(n) for n in re.findall(r"\d+", value)[:2])


def log_rules(out, page):
    num = lambda pattern: grab(out, pattern)
    if page in (0x02, 0x03, 0x05):
        return {label: (lead_int, num(r"^  %s = (\d+)" % text)) for label, text in COUNTERS.items()}
    if page == 0x0D:
        return {917: (lead_int, num(r"Current temperature = (\d+) C")),
                872: (lead_int, num(r"Reference temperature = (\d+) C"))}
    if page == 0x0E:
        date = lambda name: grab(out, name + r", year: (\d+), week: (\d+)", lambda s: s)
        pair = lambda name: tuple(int(n) for n in re.search(name + r", year: (\d+), week: (\d+)", out).groups())
        return {
            873: (year_week, pair("Date of manufacture") if date("Date of manufacture") else None),
            874: (year_week, pair("Accounting date") if date("Accounting date") else None),
            875: (lead_int, num(r"Specified cycle count over device lifetime = (\d+)")),
            876: (lead_int, num(r"Accumulated start-stop cycles = (\d+)")),
            877: (lead_int, num(r"Specified load-unload count over device lifetime = (\d+)")),
            878: (lead_int, num(r"Accumulated load-unload cycles = (\d+)")),
        }
    if page == 0x11:
        return {880: (lead_int, num(r"Percentage used endurance indicator: (\d+)"))}
    if page == 0x15:
        status = grab(out, r"Status: (.*)$", str.strip)
        return {
            881: (lead_int, num(r"Accumulated power on minutes: (\d+)")),
            882: (lead_int, SCAN_STATES.get(status, status)),
            883: (lead_int, num(r"Number of background scans performed: (\d+)")),
            884: (lambda v: v.split()[0], grab(out, r"Background medium scan progress: ([\d.]+) %", str)),
            885: (lead_int, num(r"Number of background medium scans performed: (\d+)")),
        }
    if page == 0x2F:
        pair = re.search(r"IE asc = 0x([0-9a-f]+), ascq = 0x([0-9a-f]+)", out)
        return {886: (lambda v: tuple(int(x, 16) for x in re.findall(r"([0-9A-F]{2})h", v)),
                      tuple(int(x, 16) for x in pair.groups()) if pair else None),
                887: (lead_int, num(r"Current temperature = (\d+) C"))}
    return {}


def self_tests(out):
    """(parameter code, test code, result, hours) of each entry sg_logs lists."""
    entries = []
    for m in re.finditer(r"Parameter code = (\d+), accumulated power-on hours = (\d+)\s+"
                         r"self-test code: .*?\[(\d+)\]\s+self-test result: .*?\[(\d+)\]", out):
        code, hours, test, result = (int(g) for g in m.groups())
        entries.append((code, test, result, hours))
    return entries


def shown_self_test(value):
    m = re.match(r"#(\d+) .*\(コード (\d+)\): .*\(結果 (\d+)\), (\d+) ", value)
    return tuple(int(g) for g in m.groups()) if m else value


SDPARM = {
    843: (bit, "WCE"), 844: (bit, "RCD"), 845: (bit, "DRA"), 846: (lead_int, "NCS"),
    847: (lead_int, "TST"), 848: (lead_int, "QAM"), 849: (bit, "D_SENSE"), 850: (bit, "GLTSD"),
    851: (bit, "SWP"), 853: (lead_int, "ESTCT"),
    854: (lead_int, "MRIE"), 855: (bit, "DEXCPT"), 856: (bit, "PERF"), 857: (bit, "EWASC"),
    858: (bit, "TEST"), 859: (bit, "LOGERR"), 861: (lead_int, "REPC"),
}


def mode_rules(out, reply):
    acronyms = dict(re.findall(r"^  (\w+)\s+(-?\d+)", out, re.M))
    rules = {label: (how, int(acronyms[name]) if name in acronyms else None) for label, (how, name) in SDPARM.items()}
    # All ones (FFFFh, "unlimited") prints as -1; the interval counts 100 ms units.
    btp = acronyms.get("BTP")
    rules[852] = (lambda v: 65535 if "65535" in v else lead_int(v) // 100,
                  None if btp is None else (65535 if int(btp) == -1 else int(btp)))
    intt = acronyms.get("INTT")
    rules[860] = (lambda v: lead_int(v) // 100, None if intt is None else int(intt))
    # Header and block descriptors by their layout: WP in byte 3, LONGLBA in byte 4, the
    # descriptor length in bytes 6-7; short descriptors 8 bytes, long ones 16.
    rules[840] = (bit, reply[3] >> 7)
    length = int.from_bytes(reply[6:8], "big")
    if length:
        d = reply[8:8 + length]
        long_lba = reply[4] & 1
        blocks = int.from_bytes(d[0:8] if long_lba else d[0:4], "big")
        block_length = int.from_bytes(d[12:16] if long_lba else d[5:8], "big")
        rules[841] = (lead_int, blocks)
        rules[842] = (lead_int, block_length)
    return rules


def check(folder):
    problems, compared = [], 0
    for fields_path in sorted(glob.glob(os.path.join(folder, "*.fields"))):
        name = os.path.basename(fields_path)[:-len(".fields")]
        hex_path = fields_path[:-len(".fields")] + ".hex"
        with open(fields_path, encoding="utf-8") as f:
            fields = [(int(line.split("\t", 1)[0]), line.rstrip("\n").split("\t", 1)[1]) for line in f if line.strip()]
        kind, page = re.match(r".*_([a-z]+?)([0-9a-f]{2})(long)?$", name).group(1, 2)
        page = int(page, 16)
        if kind == "inq":
            # Page -1 says it is standard data: a reply of version 0 would pass for a VPD page.
            rules = inquiry_rules(run(["sg_inq", "--inhex=" + hex_path, "--page=-1"]))
        elif kind == "vpd":
            out = run(["sg_vpd", "--inhex=" + hex_path, "--page=0x%02x" % page])
            if page == 0x83:
                problems += compare_designators(name, fields, out)
                compared += len(fields)
                continue
            rules = vpd_rules(out, page)
        elif kind == "log":
            out = run(["sg_logs", "--in=" + hex_path])
            if page == 0x10:
                shown = [shown_self_test(v) for _, v in fields]
                if shown != self_tests(out):
                    problems.append("%s: self-tests shown %r, sg_logs %r" % (name, shown, self_tests(out)))
                compared += len(fields)
                continue
            rules = log_rules(out, page)
        else:
            rules = mode_rules(run(["sdparm", "--inhex=" + hex_path, "--all"]), bytes_of(hex_path))
        for label, value in fields:
            if label not in rules:
                problems.append("%s: row %d %r has no independent reading" % (name, label, value))
                continue
            how, want = rules[label]
            if want is None or how(value) != want:
                problems.append("%s: row %d shows %r, independent reading %r" % (name, label, value, want))
            compared += 1
    return problems, compared


def main():
    missing = [t for t in TOOLS if shutil.which(t) is None]
    if missing:
        print("SKIPPED: %s not installed (Debian packages sg3-utils and sdparm)" % ", ".join(missing))
        return 77
    args = sys.argv[1:]
    iscsi = "--iscsi" in args
    args = [a for a in args if a != "--iscsi"]
    urls = []
    if iscsi:
        urls = [os.environ.get("SEKTRA_ISCSI_" + n, "") for n in ("DISK512", "DISK4K", "BIG")]
        if not all(urls):
            print("SKIPPED: no target units; run under scripts/tgt-fixture.sh")
            return 77
    keep = len(args) > 1
    folder = args[1] if keep else tempfile.mkdtemp(prefix="sektra-replies-")
    subprocess.run([args[0], folder] + urls, check=True)
    problems, compared = check(folder)
    for p in problems:
        print("MISMATCH " + p)
    print("%d decoded rows compared, %d mismatches" % (compared, len(problems)))
    if compared == 0:
        print("no decoded rows to compare")
        return 1
    if not keep:
        shutil.rmtree(folder)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
