#!/usr/bin/env python3
"""Writes hand-made hostile zip archives into the folder given as argument.

Each archive breaks one rule a reader must not trust: names that escape the
target folder, sizes that lie, CRC errors, unsupported methods and ZIP64
records, split archives, truncated or overlapping directories.
"""
import os
import struct
import sys
import zlib

DOS_TIME, DOS_DATE = 0x38E5, 0x50A6  # 2020-05-06 07:07:10


def local(name, data, method, crc, csize, usize, flag=0, extra=b''):
    return struct.pack('<IHHHHHIIIHH', 0x04034B50, 20, flag, method, DOS_TIME, DOS_DATE,
                       crc, csize, usize, len(name), len(extra)) + name + extra + data


def central(name, method, crc, csize, usize, offset, flag=0, extra=b'', system=3, attr=0o100644 << 16, disk=0):
    return struct.pack('<IHHHHHHIIIHHHHHII', 0x02014B50, (system << 8) | 20, 20, flag, method, DOS_TIME,
                       DOS_DATE, crc, csize, usize, len(name), len(extra), 0, disk, 0, attr, offset) + name + extra


def end(count, size, offset, comment=b'', this_disk=0, cd_disk=0, comment_len=None):
    n = len(comment) if comment_len is None else comment_len
    return struct.pack('<IHHHHIIH', 0x06054B50, this_disk, cd_disk, count, count, size, offset, n) + comment


def entry(name, data, deflate=True, **lies):
    """Local and central records; lies overrides fields in both."""
    payload = zlib.compress(data)[2:-4] if deflate else data
    fields = dict(method=8 if deflate else 0, crc=zlib.crc32(data), csize=len(payload), usize=len(data))
    fields.update({k: v for k, v in lies.items() if k in fields})
    return name, payload, fields, lies


def archive(entries, **end_lies):
    body, cd = b'', b''
    offsets = end_lies.pop('offsets', None)
    for i, (name, payload, f, lies) in enumerate(entries):
        offset = len(body) if offsets is None else offsets[i]
        body += local(name, payload, f['method'], f['crc'], f['csize'], f['usize'], lies.get('flag', 0),
                      lies.get('local_extra', b'')) + lies.get('descriptor', b'')
        cd += central(name, f['method'], f['crc'], f['csize'], f['usize'], offset, lies.get('flag', 0),
                      lies.get('extra', b''), disk=lies.get('disk', 0))
    return body + cd + end(len(entries), len(cd), len(body), **end_lies)


def write(folder, name, data):
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


def main(folder):
    text = b'instrument data\n' * 64
    safe = entry(b'safe.txt', b'safe\n')
    traversal = {
        'dotdot': b'../evil.txt', 'nested-dotdot': b'a/../../evil.txt', 'absolute': b'/tmp/evil.txt',
        'drive': b'C:\\evil.txt', 'unc': b'\\\\server\\share\\evil.txt', 'dot': b'./evil.txt',
        'empty': b'', 'nul': b'evil\x00.txt', 'backslash-dotdot': b'..\\evil.txt',
    }
    for label, name in traversal.items():
        write(folder, 'traversal-%s.zip' % label, archive([safe, entry(name, b'evil\n')]))

    write(folder, 'method-aes.zip', archive([entry(b'a.txt', text, method=99)]))
    write(folder, 'method-bzip2.zip', archive([entry(b'a.txt', text, method=12)]))
    write(folder, 'zip64-sentinel.zip', archive([entry(b'a.txt', text, csize=0xFFFFFFFF)]))
    zip64_extra = struct.pack('<HHQQ', 1, 16, len(text), len(text))
    write(folder, 'zip64-extra.zip', archive([entry(b'a.txt', text, deflate=False, extra=zip64_extra)]))
    plain = archive([entry(b'a.txt', text)])
    locator = struct.pack('<IIQI', 0x07064B50, 0, 0, 1)
    write(folder, 'zip64-locator.zip', plain[:-22] + locator + plain[-22:])
    write(folder, 'split-disk.zip', archive([entry(b'a.txt', text)], this_disk=1, cd_disk=1))
    write(folder, 'truncated-cd.zip', plain[:-22 - 20] + plain[-22:])
    write(folder, 'eocd-comment-lie.zip', archive([entry(b'a.txt', text)], comment=b'short', comment_len=400))
    write(folder, 'stored-size-lie.zip', archive([entry(b'a.txt', text, deflate=False, usize=len(text) + 100)]))
    write(folder, 'deflated-size-long.zip', archive([entry(b'a.txt', text, usize=len(text) + 100)]))
    write(folder, 'deflated-size-short.zip', archive([entry(b'a.txt', text, usize=len(text) - 100)]))
    # Size and CRC describe only the start of the stream: the rest would be
    # lost without a word if the stream's end were not checked.
    write(folder, 'deflated-size-short-crc.zip',
          archive([entry(b'a.txt', text, usize=len(text) - 100, crc=zlib.crc32(text[:-100]))]))
    write(folder, 'deflated-claims-4gb.zip', archive([entry(b'a.txt', text, usize=0xFFFFFFFE)]))
    # 65535 entries of 64 KB names claimed by an end record over a directory
    # of one short header: the claim must be refused before it is believed.
    one = archive([entry(b'a.txt', text)])
    cd_offset = struct.unpack('<I', one[-6:-2])[0]
    write(folder, 'cd-claims-huge.zip',
          one[:-22] + end(0xFFFF, 0xFFFF * (46 + 0xFFFF) & 0xFFFFFFFF, cd_offset))
    write(folder, 'crc-error.zip', archive([entry(b'a.txt', text, crc=zlib.crc32(text) ^ 1)]))
    write(folder, 'encrypted-short.zip',
          archive([(b'a.txt', b'abcd', dict(method=0, crc=0, csize=4, usize=0), {'flag': 1})]))
    truncated = zlib.compress(text)[2:-4][:10]
    write(folder, 'deflated-truncated.zip',
          archive([(b'a.txt', truncated, dict(method=8, crc=zlib.crc32(text), csize=len(truncated),
                                              usize=len(text)), {})]))
    two = [entry(b'a.txt', text), entry(b'b.txt', text)]
    write(folder, 'overlap-same.zip', archive(two, offsets=[0, 0]))
    write(folder, 'overlap-inside.zip', archive(two, offsets=[0, 40]))
    for label, bad in (('good', 0), ('bad', 1)):
        name, payload, f, _ = entry(b'a.txt', text)
        descriptor = struct.pack('<IIII', 0x08074B50, f['crc'] ^ bad, f['csize'], f['usize'])
        write(folder, 'descriptor-%s.zip' % label,
              archive([(name, payload, f, {'flag': 8, 'descriptor': descriptor})]))
    write(folder, 'entry-other-disk.zip', archive([entry(b'a.txt', text, disk=1)]))


if __name__ == '__main__':
    main(sys.argv[1])
