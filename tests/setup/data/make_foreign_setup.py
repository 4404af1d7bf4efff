#!/usr/bin/env python3
"""A MAT-file (version 5) writer and reader written from the file format
alone, independent of libmatio, to check that setup files travel between
writers.

  make_foreign_setup.py write FILE   writes the setup kept as foreign_setup.zuv
  make_foreign_setup.py texts FILE   writes the same setup with texts in every
                                     text encoding of the format (kept as
                                     foreign_texts.zuv)
  make_foreign_setup.py dump FILE    reads a setup file and prints every
                                     numeric and text field as NAME=VALUES
                                     lines; exits 1 when the file does not
                                     have the layout of a setup file

The foreign file is written the way another program might: uncompressed,
only the fields a load reads, flags as logical (uint8) arrays, the seed as an
int32, cards as doubles in rows rather than columns.

Foreign scenario: seats 1, 3 and 6 active; seat 3 holds As Ah (13, 26) fixed;
seats 1 and 6 are dealt at random; the flop 2c 7d Th (40, 32, 22) is fixed, the
turn is dealt; 1234 hands, seed -77 (not used: SetSeed 0), show every hand on,
dealer seat 4.

The texts file holds the same setup. Its texts are not plain ASCII and use
each encoding the format allows for text: 8-bit (Latin-1), UTF-8, UTF-16 and
16-bit characters, in read and unread fields, plain and compressed. A text's
dimensions count its UTF-16 code units, as the format's own writer does.
"""
import struct
import sys
import zlib

# Element types and array classes of the format.
MI_INT8, MI_UINT8, MI_INT16, MI_UINT16, MI_INT32, MI_UINT32 = 1, 2, 3, 4, 5, 6
MI_SINGLE, MI_DOUBLE, MI_INT64, MI_UINT64 = 7, 9, 12, 13
MI_MATRIX, MI_COMPRESSED, MI_UTF8, MI_UTF16, MI_UTF32 = 14, 15, 16, 17, 18
MX_CELL, MX_STRUCT, MX_CHAR, MX_DOUBLE, MX_SINGLE = 1, 2, 4, 6, 7
MX_INT8, MX_UINT8, MX_INT16, MX_UINT16, MX_INT32, MX_UINT32, MX_INT64, MX_UINT64 = range(8, 16)

NUMERIC_FORMATS = {MI_INT8: 'b', MI_UINT8: 'B', MI_INT16: 'h', MI_UINT16: 'H', MI_INT32: 'i',
                   MI_UINT32: 'I', MI_SINGLE: 'f', MI_DOUBLE: 'd', MI_INT64: 'q', MI_UINT64: 'Q'}


# ---------------------------------------------------------------- writing

def element(kind, payload):
    if len(payload) <= 4:  # the small element form: tag and data in 8 bytes
        return struct.pack('<HH', kind, len(payload)) + payload.ljust(4, b'\0')
    pad = (-len(payload)) % 8
    return struct.pack('<II', kind, len(payload)) + payload + b'\0' * pad


def matrix(cls, dims, body, name='', logical=False):
    flags = cls | ((0x02 if logical else 0) << 8)
    content = element(MI_UINT32, struct.pack('<II', flags, 0))
    content += element(MI_INT32, struct.pack('<%di' % len(dims), *dims))
    content += element(MI_INT8, name.encode('ascii'))
    content += body
    return element(MI_MATRIX, content)


def double(values, dims=None, name=''):
    dims = dims or ([1, len(values)] if values else [0, 0])
    return matrix(MX_DOUBLE, dims, element(MI_DOUBLE, struct.pack('<%dd' % len(values), *values)), name)


def logical(values, name=''):
    return matrix(MX_UINT8, [1, len(values)], element(MI_UINT8, bytes(values)), name, logical=True)


def int32(value):
    return matrix(MX_INT32, [1, 1], element(MI_INT32, struct.pack('<i', value)))


def text(s, kind=MI_UTF16):
    units = len(s.encode('utf-16-le')) // 2
    data = {MI_UTF16: lambda: s.encode('utf-16-le'), MI_UINT16: lambda: s.encode('utf-16-le'),
            MI_UTF8: lambda: s.encode('utf-8'), MI_UINT8: lambda: s.encode('latin-1'),
            MI_UTF32: lambda: s.encode('utf-32-le')}[kind]()
    return matrix(MX_CHAR, [1, len(s) if kind == MI_UTF32 else units], element(kind, data))


def compressed(variable):
    """A whole variable as the format's compressed element."""
    packed = zlib.compress(variable)
    return struct.pack('<II', MI_COMPRESSED, len(packed)) + packed


def record(name, fields, elements):
    """A structure array; `fields` is a list of names, `elements` a list of dicts."""
    width = max(len(f) for f in fields) + 1
    names = b''.join(f.encode('ascii').ljust(width, b'\0') for f in fields)
    body = element(MI_INT32, struct.pack('<i', width)) + element(MI_INT8, names)
    for values in elements:
        for f in fields:
            body += values[f]
    return matrix(MX_STRUCT, [1, len(elements)], body, name)


def write(path, texts=False):
    active = [1, 0, 1, 0, 0, 1, 0, 0, 0, 0]
    random = [1, 0, 0, 0, 0, 1, 0, 0, 0, 0]
    seat3 = [13, 26]
    board = [40, 32, 22]
    deck = [0 if n in seat3 + board else 1 for n in range(1, 53)]

    table_fields = {
        'boardcards': double(board, [1, 3]),
        'activeplayers': logical(active),
        'simulateplayers': logical(random),
    }
    hand_names = text('High card') + text('Pair')
    if texts:
        table_fields['title'] = text('Tisch f\u00fcr drei \u2013 \U0001F0A1 vorn', MI_UTF8)
        hand_names = b''.join([
            text('Carte haute \u00e9lev\u00e9e', MI_UINT8),
            text('Paire \u00e0 l\u2019as', MI_UTF8),
            text('Deux paires \U0001F0A1\U0001F0B1', MI_UTF8),
            text('Brelan \u00e9', MI_UTF16),
            text('Suite \U0001F0C1', MI_UTF16),
            text('Couleur \u00e9', MI_UINT16),
            text('Full \u00e9', MI_UTF32),
            text('', MI_UTF8),
            text('Quinte flush royale', MI_UTF8),
        ])
    table = record('tempTABLE', list(table_fields), [table_fields])
    setup = record('tempSETUP', ['NrOfSims', 'Dealer', 'SimulateFlop', 'SimulateTurn', 'SetSeed', 'Seed',
                                 'handnames'], [{
        'NrOfSims': double([1234]),
        'Dealer': double([4]),
        'SimulateFlop': double([0]),
        'SimulateTurn': double([1]),
        'SetSeed': double([0]),
        'Seed': int32(-77),
        'handnames': matrix(MX_CELL, [1, len(hand_names) and (9 if texts else 2)], hand_names),
    }])
    players = record('tempPLAYER', ['Cards'], [
        {'Cards': double(seat3, [1, 2]) if seat == 3 else double([])} for seat in range(1, 11)])
    sim = record('tempSIM', ['showhands'], [{'showhands': double([1])}])
    cards = double(deck, [1, 52], 'cardsindeck')
    if texts:
        sim = compressed(record('tempSIM', ['showhands', 'note'], [{
            'showhands': double([1]), 'note': text('\u00c9t\u00e9 \U0001F0A1 \u00e0 Z\u00fcrich', MI_UTF8)}]))

    header = b'MATLAB 5.0 MAT-file, written by make_foreign_setup.py'.ljust(116, b' ')
    header += b'\0' * 8 + struct.pack('<H', 0x0100) + b'IM'
    with open(path, 'wb') as out:
        out.write(header + table + setup + players + cards + sim)


# ---------------------------------------------------------------- reading

class Reader:
    def __init__(self, data, endian):
        self.data, self.pos, self.e = data, 0, endian

    def tag(self):
        kind, size = struct.unpack_from(self.e + 'II', self.data, self.pos)
        if kind >> 16:  # small element
            small = kind >> 16
            kind &= 0xffff
            payload = self.data[self.pos + 4:self.pos + 4 + small]
            self.pos += 8
            return kind, payload
        payload = self.data[self.pos + 8:self.pos + 8 + size]
        if len(payload) != size:
            raise ValueError('truncated element')
        self.pos += 8 + size + ((-size) % 8 if kind != MI_COMPRESSED else 0)
        return kind, payload

    def numbers(self, kind, payload):
        fmt = NUMERIC_FORMATS[kind]
        n = len(payload) // struct.calcsize(fmt)
        return list(struct.unpack(self.e + fmt * n, payload[:n * struct.calcsize(fmt)]))


def parse_matrix(payload, e):
    r = Reader(payload, e)
    _, flags = r.tag()
    cls = struct.unpack(e + 'I', flags[:4])[0] & 0xff
    _, dims = r.tag()
    dims = list(struct.unpack(e + '%di' % (len(dims) // 4), dims))
    _, name = r.tag()
    count = 1
    for d in dims:
        count *= d
    value = {'class': cls, 'dims': dims, 'name': name.decode('ascii')}
    if cls == MX_STRUCT:
        _, width = r.tag()
        width = struct.unpack(e + 'i', width)[0]
        _, names = r.tag()
        fields = [names[i:i + width].split(b'\0')[0].decode('ascii') for i in range(0, len(names), width)]
        value['fields'] = fields
        value['elements'] = []
        for _ in range(count):
            element_values = {}
            for f in fields:
                kind, sub = r.tag()
                assert kind == MI_MATRIX
                element_values[f] = parse_matrix(sub, e)
            value['elements'].append(element_values)
    elif cls == MX_CELL:
        value['cells'] = []
        for _ in range(count):
            kind, sub = r.tag()
            assert kind == MI_MATRIX
            value['cells'].append(parse_matrix(sub, e))
    elif cls == MX_CHAR:
        if count:
            kind, chars = r.tag()
            if kind in (MI_UTF16, MI_UINT16):
                value['text'] = chars.decode('utf-16-le' if e == '<' else 'utf-16-be')
            elif kind == MI_UTF32:
                value['text'] = chars.decode('utf-32-le' if e == '<' else 'utf-32-be')
            elif kind in (MI_UINT8, MI_INT8):
                value['text'] = chars.decode('latin-1')
            else:
                value['text'] = chars.decode('utf-8')
        else:
            value['text'] = ''
    else:
        values = []
        if r.pos < len(payload):
            kind, data = r.tag()
            values = r.numbers(kind, data)
        if len(values) != count:
            raise ValueError('%s: %d values for dims %s' % (value['name'], len(values), dims))
        value['values'] = values
    return value


def read(path):
    data = open(path, 'rb').read()
    if len(data) < 128 or data[126:128] not in (b'IM', b'MI'):
        raise ValueError('not a MAT-file')
    e = '<' if data[126:128] == b'IM' else '>'
    r = Reader(data[128:], e)
    variables = {}
    while r.pos < len(r.data):
        kind, payload = r.tag()
        if kind == MI_COMPRESSED:
            inner = Reader(zlib.decompress(payload), e)
            kind, payload = inner.tag()
        if kind == MI_MATRIX:
            v = parse_matrix(payload, e)
            variables[v['name']] = v
    return variables


def dump(prefix, v, out):
    if v['class'] == MX_STRUCT:
        out.append('%s:struct=%s' % (prefix, 'x'.join(map(str, v['dims']))))
        many = len(v['elements']) != 1
        for i, element_values in enumerate(v['elements']):
            for f in v['fields']:
                dump('%s%s.%s' % (prefix, '(%d)' % (i + 1) if many else '', f), element_values[f], out)
    elif v['class'] == MX_CELL:
        out.append('%s:cell=%s' % (prefix, 'x'.join(map(str, v['dims']))))
        for i, cell in enumerate(v['cells']):
            dump('%s{%d}' % (prefix, i + 1), cell, out)
    elif v['class'] == MX_CHAR:
        out.append('%s=%s' % (prefix, v['text']))
    else:
        values = v['values']
        shown = ' '.join('%.17g' % x for x in values) if len(values) <= 60 else 'sum %.17g' % sum(values)
        out.append('%s:%s=%s' % (prefix, 'x'.join(map(str, v['dims'])), shown))


def main(argv):
    if len(argv) != 3 or argv[1] not in ('write', 'texts', 'dump'):
        sys.stderr.write(__doc__)
        return 2
    if argv[1] in ('write', 'texts'):
        write(argv[2], texts=argv[1] == 'texts')
        return 0
    variables = read(argv[2])
    out = []
    for name in ('tempTABLE', 'tempSETUP', 'tempPLAYER', 'cardsindeck', 'tempSIM'):
        if name not in variables:
            print('missing variable ' + name)
            return 1
        dump(name, variables[name], out)
    print('\n'.join(out))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
