#!/usr/bin/env python3
"""Reads a macro file written by Tappling (version 1202) and prints it as JSON, for the
end-to-end tests: {"loop": [enabled, limited, count], "records": [{field: value, ...}]}.
Field names are those of make-macro.py; strings are decoded from code page 932.

read-macro.py FILE.TPM
"""
import json
import struct
import sys

FIELDS = [
    ("x", "i"), ("y", "i"), ("reserved2", "i"), ("type", "i"), ("preWaitMs", "i"), ("postWaitMs", "i"),
    ("repeatCount", "i"), ("inputText", "s"), ("newlineAfterInput", "i"), ("comment", "s"), ("filePath", "s"),
    ("startMaximized", "i"), ("firstLoopOnly", "i"), ("conditionColor", "i"), ("invertCondition", "i"),
    ("trueJump", "i"), ("falseJump", "i"), ("searchRangeX", "i"), ("searchRangeY", "i"), ("offsetEnabled", "i"),
    ("offsetRef", "i"),
]


class Reader:
    def __init__(self, data):
        self.data, self.pos = data, 0

    def take(self, fmt):
        value = struct.unpack_from("<" + fmt, self.data, self.pos)[0]
        self.pos += struct.calcsize(fmt)
        return value

    def int32(self):
        return self.take("i")

    def string(self):
        length = self.take("B")
        if length == 0xFF:
            length = self.take("H")
            if length == 0xFFFF:
                length = self.take("I")
        text = self.data[self.pos:self.pos + length]
        self.pos += length
        return text.decode("cp932")


def read(path):
    r = Reader(open(path, "rb").read())
    tag, version = r.string(), r.int32()
    if tag != "MouseAction" or version != 1202:
        raise ValueError("not a version 1202 macro file: %r %d" % (tag, version))
    loop = [r.int32(), r.int32(), r.int32()]
    records = [{name: (r.int32() if kind == "i" else r.string()) for name, kind in FIELDS}
               for _ in range(r.int32())]
    if r.pos != len(r.data):
        raise ValueError("%d bytes after the last record" % (len(r.data) - r.pos))
    return {"loop": loop, "records": records}


if __name__ == "__main__":
    json.dump(read(sys.argv[1]), sys.stdout, ensure_ascii=False, indent=1)
