"""Checks the ad-hoc code signature of a Mach-O program, which an Apple
silicon Mac requires before it runs anything: every page the signature
covers must hash to what its code directory says.

Usage: macho_signature.py PROGRAM
"""
import hashlib
import struct
import sys

LC_CODE_SIGNATURE = 0x1D
CODE_DIRECTORY = 0
SHA256 = 2


def main(path):
    with open(path, "rb") as program:
        data = program.read()
    commands = struct.unpack_from("<I", data, 16)[0]
    offset, signature = 32, None
    for _ in range(commands):
        command, size = struct.unpack_from("<2I", data, offset)
        if command == LC_CODE_SIGNATURE:
            start, length = struct.unpack_from("<2I", data, offset + 8)
            signature = data[start:start + length]
        offset += size
    if signature is None:
        sys.exit(f"{path}: no code signature")
    blobs = struct.unpack_from(">I", signature, 8)[0]
    for index in range(blobs):
        kind, at = struct.unpack_from(">2I", signature, 12 + 8 * index)
        if kind != CODE_DIRECTORY:
            continue
        (hash_offset, slots, limit, size, hash_type,
         page_log) = struct.unpack_from(">16xI8x2I2BxB", signature, at)
        directory, page = signature[at:], 1 << page_log
        for slot in range(slots):
            want = directory[hash_offset + slot * size:
                             hash_offset + (slot + 1) * size]
            chunk = data[slot * page:min((slot + 1) * page, limit)]
            if hash_type != SHA256 or hashlib.sha256(chunk).digest() != want:
                sys.exit(f"{path}: page {slot} does not match its signature")
        print(f"{path}: signature covers {slots} pages and matches")
        return
    sys.exit(f"{path}: signature has no code directory")


if __name__ == "__main__":
    main(sys.argv[1])
