# Writes the seed corpus of bmp_decoder_fuzz: one tiny valid file per depth, compression and header size.
# Run from anywhere: python3 fuzz/make_bmp_corpus.py
import struct, os
out=os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus', 'bmp_decoder')
def bmp(hs, w, h, bpp, comp, pal, pix, masks=None, clr=0, core=False, size_image=0):
    after = 12 if (masks and hs==40) else 0
    off = 14+hs+after+len(pal)*(3 if core else 4)
    fh = b'BM'+struct.pack('<IHHI', off+len(pix), 0, 0, off)
    if core:
        ih = struct.pack('<IHHHH', 12, w, h, 1, bpp)
    else:
        ih = struct.pack('<IiiHHIIiiII', hs, w, h, 1, bpp, comp, size_image, 0, 0, clr, 0)
        if hs > 40:
            m = masks or (0,0,0)
            ih += struct.pack('<III', *m) + bytes(hs-52)
    extra = struct.pack('<III', *masks) if after else b''
    p = b''.join(struct.pack('<BBB', c&255, (c>>8)&255, (c>>16)&255) + (b'' if core else b'\0') for c in pal)
    return fh+ih+extra+p+bytes(pix)
files = {
 'rgb24_2x2.bmp': bmp(40,2,2,24,0,[],[1,2,3,4,5,6,0,0, 7,8,9,10,11,12,0,0]),
 'rgb24_topdown_124.bmp': bmp(124,1,-2,24,0,[],[1,2,3,0,4,5,6,0]),
 'idx8_core.bmp': bmp(12,2,1,8,0,[i*0x010101 for i in range(256)],[5,250,0,0],core=True),
 'idx1.bmp': bmp(40,9,1,1,0,[0,0xFFFFFF],[0xA5,0x80,0,0]),
 'idx4_clr3.bmp': bmp(40,3,1,4,0,[1,2,3],[0x12,0x00,0,0],clr=3),
 'rgb16_565.bmp': bmp(40,2,1,16,3,[],[0xE0,0x07,0x1F,0x00],masks=(0xF800,0x7E0,0x1F)),
 'rgb16_555_56.bmp': bmp(56,1,1,16,0,[],[0,0x7C,0,0]),
 'bgrx32_fields_108.bmp': bmp(108,1,1,32,3,[],[1,2,3,4],masks=(0xFF,0xFF00,0xFF0000)),
 'rle8.bmp': bmp(40,6,3,8,1,[0,0x123456,0xFFFFFF,0x808080],[3,9,0,3,1,2,3,0,0,0,0,2,1,1,2,7,0,1],clr=4),
 'rle4.bmp': bmp(40,6,2,4,2,[i*0x111111 for i in range(16)],[5,0x12,0,0,0,3,0xAB,0xC0,0,1],size_image=10),
}
for n,d in files.items():
    open(os.path.join(out,n),'wb').write(d)
