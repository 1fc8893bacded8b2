#!/usr/bin/env python3
"""Writes a macro file (version 1202) from a small JSON description, for the end-to-end tests.

make-macro.py OUT.TPM '{"loop": [0, 0, 1], "records": [{"type": 0, "x": 10, "y": 20}, ...]}'
Record keys are the record's field names; missing ones take the defaults of a new record.
Strings are given as text and stored in code page 932.
"""
import json
import struct
import sys

DEFAULTS = {
    "x": 0, "y": 0, "reserved2": 0, "type": 0, "preWaitMs": 500, "postWaitMs": 500, "repeatCount": 1,
    "inputText": "", "newlineAfterInput": 0, "comment": "", "filePath": "", "startMaximized": 0,
    "firstLoopOnly": 0, "conditionColor": 0, "invertCondition": 0, "trueJump": 1, "falseJump": 0,
    "searchRangeX": 0, "searchRangeY": 0, "offsetEnabled": 0, "offsetRef": 0,
}


def string(text):
    data = text.encode("cp932")
    if len(data) < 0xFF:
        return bytes([len(data)]) + data
    if len(data) < 0xFFFF:
        return b"\xff" + struct.pack("<H", len(data)) + data
    raise ValueError("string too long for this generator")


def ints(*values):
    return struct.pack("<%di" % len(values), *values)


def record(fields):
    unknown = set(fields) - set(DEFAULTS)
    if unknown:
        raise KeyError("unknown fields: %s" % sorted(unknown))
    r = dict(DEFAULTS, **fields)
    return (ints(r["x"], r["y"], r["reserved2"], r["type"], r["preWaitMs"], r["postWaitMs"], r["repeatCount"])
            + string(r["inputText"]) + ints(r["newlineAfterInput"]) + string(r["comment"]) + string(r["filePath"])
            + ints(r["startMaximized"], r["firstLoopOnly"], r["conditionColor"], r["invertCondition"],
                   r["trueJump"], r["falseJump"], r["searchRangeX"], r["searchRangeY"], r["offsetEnabled"],
                   r["offsetRef"]))


def main():
    out, description = sys.argv[1], json.loads(sys.argv[2])
    loop_enabled, loop_limited, loop_count = description.get("loop", [0, 0, 1])
    records = description["records"]
    data = string("MouseAction") + ints(1202, loop_enabled, loop_limited, loop_count, len(records))
    data += b"".join(record(r) for r in records)
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
