# Writes the seed corpora of the pack targets (pack_pictures_fuzz, pack_screens_fuzz and
# pack_wipe_cg_fuzz share one input format), script_scene_fuzz and pack_tool_fuzz.
# Run from anywhere: python3 fuzz/make_seed_corpus.py (after make_bmp_corpus.py).
import os, struct
here = os.path.dirname(os.path.abspath(__file__))
PICTURE_TARGETS = ['pack_pictures', 'pack_screens', 'pack_wipe_cg']
def out(target, name, data):
    for t in PICTURE_TARGETS if target == 'pack_pictures' else [target]:
        d = os.path.join(here, 'corpus', t)
        os.makedirs(d, exist_ok=True)
        open(os.path.join(d, name), 'wb').write(data)

def bmp24(w, h, colour=(10, 20, 30)):
    row = bytes(colour) * w
    row += bytes((-len(row)) % 4)
    pix = row * h
    return b'BM' + struct.pack('<IHHI', 54 + len(pix), 0, 0, 54) + \
        struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pix), 0, 0, 0, 0) + pix
def bmp8(w, h, v, height_field=None):
    row = bytes([v]) * w
    row += bytes((-len(row)) % 4)
    pix = row * h
    pal = b''.join(bytes([i, i, i, 0]) for i in range(256))
    off = 54 + len(pal)
    return b'BM' + struct.pack('<IHHI', off + len(pix), 0, 0, off) + \
        struct.pack('<IiiHHIIiiII', 40, w, h if height_field is None else height_field, 1, 8, 0, len(pix), 0, 0, 256, 0) + pal + pix
def huge_header(w, h):
    return b'BM' + struct.pack('<IHHI', 0, 0, 0, 54) + struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, 0, 0, 0, 0, 0)

S = b'#PIC'
strip = bmp8(32, 480, 128)
digits = bmp24(231, 21)
# pack_pictures (and the other picture targets): pieces for pictures 0..11, 120, 121.
out('pack_pictures', 'sound_small', S.join([bmp24(30, 4), bmp24(64, 48), strip, digits, bmp24(64, 48), bmp24(177, 88),
                                          bmp24(64, 48), bmp24(46, 22), bmp24(130, 50), bmp24(60, 60), bmp24(40, 20),
                                          bmp8(40, 20, 200), bmp24(64, 48), bmp24(700, 20)]))
out('pack_pictures', 'swapped_depths', S.join([bmp8(30, 4, 7), bmp8(64, 48, 90), bmp24(32, 480), bmp8(231, 21, 1), b'', b'',
                                             b'', b'', b'', b'', bmp8(40, 20, 3), bmp24(40, 20), bmp8(10, 10, 9), bmp8(650, 10, 4)]))
out('pack_pictures', 'huge_headers', S.join([huge_header(100000, 100000), huge_header(16384, 16384), huge_header(1, -16384)]))
out('pack_pictures', 'cut_rows', S.join([bmp24(64, 48)[:200], strip[:1100], strip[:54]]))
out('pack_pictures', 'topdown_mask', S.join([b'', b'', bmp8(32, 480, 255, height_field=-480)]))
out('pack_pictures', 'wide_backdrop', S.join([b'', bmp24(700, 20)]))  # stretched down to the screen
for f in sorted(os.listdir(os.path.join(here, 'corpus', 'bmp_decoder'))):
    data = open(os.path.join(here, 'corpus', 'bmp_decoder', f), 'rb').read()
    out('pack_pictures', 'all_' + f, S.join([data] * 14))
# Seeds kept from findings (named regression_*) serve every picture target.
for f in sorted(os.listdir(os.path.join(here, 'corpus', 'pack_pictures'))):
    if f.startswith('regression_'):
        out('pack_pictures', f, open(os.path.join(here, 'corpus', 'pack_pictures', f), 'rb').read())

# script_scene: CP932 scripts.
defs = 'bg=1\ncg=2\nend=3\nclose=4\nnext=5\nsprite=6\ntwo=7\ntwo2=8\nface=9\nnop=10\nchoice=11\nnow=12\n森=2\n顔=3\n人=4\n'
scripts = {
    'every_command': defs + '*op\nbg=森\n一行目\n二行目\n三行目\n＜\nsprite=人\ntwo=人\nx=人\nface=顔\n顔の行\nnop=\ncg=t_job1.bmp\n後\ncg=nothing\n次\nend=\nharumi_1\n2\n',
    'choice_at_end': defs + '*op\nbg=1\n選ぶ\nchoice=\n',
    'choice_full': defs + '*kyouko_1\nbg=2\n選ぶ\nchoice=\nはい\nいいえ\n3\n-2\n*kyouko_1_1\nbg=3\nよし\nend=\n*kyouko_1_2\nbg=4\nだめ\nnext=\n',
    'no_end': defs + '*op\nbg=1\n終わらない\n',
    'closing': defs + '*end\nbg=1\nさようなら\nclose=\n*op\n',
    'past_127': 'bg=200\nsprite=-300\nface=2147483647\n' + defs + '*op\nbg=bg\nsprite=sprite\nface=face\n行\nend=\n',
    'labels_only': '*op\n*op2\n*end\n*harumi_1\n*kyouko_1\n*kyouko_2\n*suzuna_1\n*suzuna_2\n*mayu_1\n*mayu_2\n*job_r1\n*job_s1\n*job_k1\n*job_h1\n',
    'hint_blocks': defs + '*h_1\nヒント\nEND\n*h_2\nEND\n*op\nbg=1\nend=\n',
    'empty': '',
}
# script_scene plays the scene whose label comes first: one seed starts each scene.
for label in scripts['labels_only'].split():
    scripts['scene_' + label[1:]] = defs + label + '\nbg=2\n一行目\nsprite=人\n二行目\n＜\nface=顔\n顔の行\nend=\n'
for name, text in scripts.items():
    out('script_scene', name, text.replace('\n', '\r\n').encode('cp932'))
out('script_scene', 'nul_and_cr', (defs + '*op\rbg=1\r行\x00end=\n').encode('cp932'))
out('script_scene', 'bad_cp932', defs.encode('cp932') + b'*op\n\x81\n\xff\xfe\x82\nend=\n')

# pack_tool: steer, pictures 0, 2, 12, 60, 78, 119, 120, 121, 127, script. The last piece
# is always the script, so a seed whose last picture matters ends with a short script.
out('pack_tool', 'sound', S.join([b'', bmp24(4, 4), bmp8(4, 4, 1), bmp8(640, 480, 3)[:2000], bmp24(4, 4), bmp8(4, 4, 5),
                                   bmp8(4, 4, 5), bmp24(4, 4), bmp24(4, 4), bmp24(4, 4), scripts['every_command'].encode('cp932')]))
out('pack_tool', 'cut_before_script', S.join([bytes([0x80 | 120, 3]), b'', b'*op\n']))
# Picture 60 is 60,054 bytes; the pack is cut 6,100 bytes into it.
out('pack_tool', 'cut_inside_picture', S.join([bytes([0x80 | 60, 100]), b'', b'', b'', bmp24(100, 200), b'*op\n']))
# Picture 0 claims 60,054 bytes; its slot holds 36,054.
out('pack_tool', 'too_big_for_slot', S.join([b'', bmp24(100, 200), b'*op\n']))
out('pack_tool', 'script_nul', S.join([b'', b'', b'a=1\x00\xff\n']))
# The start of a picture where the script goes: NUL bytes, and a last line without its end.
out('pack_tool', 'binary_script', S.join([b'', bmp24(300, 200)[:60]]))
out('pack_tool', 'huge_header', S.join([b'', huge_header(100000, 100000), huge_header(16384, 16384), b'*op\n']))

# script_lint: the same scripts, read the way the lint reads a pack's script block.
for name in os.listdir(os.path.join(here, 'corpus', 'script_scene')):
    out('script_lint', name, open(os.path.join(here, 'corpus', 'script_scene', name), 'rb').read())

# bmp_decoder_hostile: claimed sizes far beyond the data, a delta out of the picture. These do not
# decode, so they stay out of bmp_decoder, whose every seed must decode (the decoder's tests read it).
def rle8_header(w, h, data):
    pal = bytes(1024)
    off = 54 + len(pal)
    return b'BM' + struct.pack('<IHHI', off + len(data), 0, 0, off) + \
        struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 1, 0, 0, 0, 256, 0) + pal + data
out('bmp_decoder_hostile', 'huge_100000.bmp', huge_header(100000, 100000))
out('bmp_decoder_hostile', 'huge_24_16384.bmp', huge_header(16384, 16384))
out('bmp_decoder_hostile', 'rle8_16384_eob.bmp', rle8_header(16384, 16384, b'\x00\x01'))
out('bmp_decoder_hostile', 'rle8_delta_far.bmp', rle8_header(64, 64, b'\x00\x02\xff\xff\x00\x01'))
# bmp_decoder: an 8-bit picture whose indices lie past its short palette (decodes; drawn black).
short_pal = bmp8(4, 2, 200)
short_pal = short_pal[:46] + struct.pack('<I', 3) + short_pal[50:]  # 3 palette entries, index 200
out('bmp_decoder', 'idx8_index_past_palette.bmp', short_pal)

# replay_parser: the replays the tests run.
replays = os.path.join(here, '..', 'tests', 'replays')
for name in sorted(os.listdir(replays)):
    if name.endswith('.replay'):
        out('replay_parser', name, open(os.path.join(replays, name), 'rb').read())
