#!/usr/bin/env python3
"""Prints the records of a macro file (version 1202, as Tappling writes it) as JSON lines,
one record per line with the field names of make-macro.py; strings decoded from cp932.

read-macro.py FILE.TPM
"""
import json
import struct
import sys

INT_FIELDS_HEAD = ["x", "y", "reserved2", "type", "preWaitMs", "postWaitMs", "repeatCount"]
INT_FIELDS_TAIL = ["startMaximized", "firstLoopOnly", "conditionColor", "invertCondition", "trueJump",
                   "falseJump", "searchRangeX", "searchRangeY", "offsetEnabled", "offsetRef"]


class Reader:
    def __init__(self, data):
        self.data, self.pos = data, 0

    def ints(self, n):
        values = struct.unpack_from("<%di" % n, self.data, self.pos)
        self.pos += 4 * n
        return list(values)

    def string(self):
        n = self.data[self.pos]
        self.pos += 1
        if n == 0xFF:
            (n,) = struct.unpack_from("<H", self.data, self.pos)
            self.pos += 2
        text = self.data[self.pos:self.pos + n].decode("cp932")
        self.pos += n
        return text


def main():
    r = Reader(open(sys.argv[1], "rb").read())
    if r.string() != "MouseAction":
        sys.exit("not a macro file")
    version, _, _, _, count = r.ints(5)
    if version != 1202:
        sys.exit("version %d" % version)
    for _ in range(count):
        record = dict(zip(INT_FIELDS_HEAD, r.ints(7)))
        record["inputText"] = r.string()
        record["newlineAfterInput"] = r.ints(1)[0]
        record["comment"] = r.string()
        record["filePath"] = r.string()
        record.update(zip(INT_FIELDS_TAIL, r.ints(10)))
        print(json.dumps(record, ensure_ascii=False))


if __name__ == "__main__":
    main()
