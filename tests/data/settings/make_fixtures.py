#!/usr/bin/env python3
"""Writes the settings file fixtures of this folder, field by field, independently
of the program's own writer (run it from this folder)."""
import struct

def i16(v): return struct.pack('<h', v)
def i32(v): return struct.pack('<i', v)
def col(v): return struct.pack('<I', v)
def s(text):
    b = text.encode('cp932')
    return struct.pack('<H', len(b)) + b

CHOSEN, NOT = -1, 0

def layout(f):
    out = b''
    out += s(f['fare']) + s(f['tape'])
    p = f['panel']
    out += i16(p['auto']) + b''.join(col(c) for c in p['colours']) + i16(p['style']) + i16(p['zero'])
    out += b''.join(i16(v) for v in p['options']) + b''.join(s(t) for t in p['images'])
    d = f['digits']
    out += b''.join(col(c) for c in d['colours']) + b''.join(i16(v) for v in d['values'])
    n = f['name']
    out += col(n['back']) + col(n['fore']) + i16(n['font']) + i16(n['bold'])
    snd = f['sound']
    out += s(snd['route']) + s(snd['reset'])
    out += b''.join(i16(v) for v in snd['step_modes'])
    out += s(snd['step']) + i16(snd['column']) + b''.join(s(t) for t in snd['by_value'])
    out += b''.join(i16(v) for v in snd['pre_modes'])
    out += s(snd['pre']) + b''.join(s(t) for t in snd['by_flag'])
    t = f['ticket']
    out += i16(t['use']) + s(t['plugin']) + b''.join(i16(v) for v in t['dates']) + s(t['fixed'])
    c = f['ctl']
    out += i16(c['entry']) + i32(c['speed']) + i32(c['wait']) + i16(c['night']) + i16(c['preview'])
    out += i32(c['left']) + i32(c['top'])
    out += i32(f['board'][0]) + i32(f['board'][1])
    out += b''.join(col(v) for v in f['custom'])
    out += i16(f['count'])
    out += b''.join(i16(a) + i16(b) + i16(c) for a, b, c in f['cells'])
    return out

defaults = dict(
    fare='', tape='',
    panel=dict(auto=1, colours=[0xFFFFFF, 0xC0FFC0, 0x80C0FF], style=0, zero=0,
               options=[CHOSEN, NOT, CHOSEN, NOT, CHOSEN, NOT, CHOSEN, NOT], images=['', '', '']),
    digits=dict(colours=[0x808080, 0x969696, 0x72D2F8], values=[0] * 10),
    name=dict(back=0x808080, fore=0x00FFFF, font=-1, bold=0),
    sound=dict(route='', reset='', step_modes=[CHOSEN, NOT, NOT, CHOSEN], step='', column=0,
               by_value=['', '', ''], pre_modes=[CHOSEN, NOT, CHOSEN, NOT], pre='', by_flag=['', '', '']),
    ticket=dict(use=0, plugin='', dates=[CHOSEN, NOT, NOT], fixed='2026/12/06'),
    ctl=dict(entry=0, speed=1, wait=0, night=0, preview=0, left=0, top=0),
    board=(0, 0), custom=[0] * 17, count=60, cells=[(0, 0, 0)] * 60)

every = dict(
    fare='C:\\運賃データ\\東部線', tape='D:\\放送用データ\\ルミナ放送',
    panel=dict(auto=0, colours=[0x123456, 0x00FF00, 0xABCDEF], style=11, zero=1,
               options=[NOT, CHOSEN, NOT, CHOSEN, NOT, CHOSEN, NOT, CHOSEN],
               images=['C:\\パネル\\ソフト表示_消灯.bmp', 'C:\\パネル\\点灯１.gif', 'C:\\パネル\\点灯２.jpg']),
    digits=dict(colours=[0x010203, 0x040506, 0x0708FF], values=[1, 59, 1, 1, 58, 1, 57, 1, 149, 56]),
    name=dict(back=0x202020, fore=0x3040FF, font=4, bold=1),
    sound=dict(route='音\\系統設定.wav', reset='音\\リセット.mp3', step_modes=[NOT, CHOSEN, CHOSEN, NOT],
               step='音\\送り.wav', column=149, by_value=['音\\一.wav', '音\\二.mid', '音\\三.mp3'],
               pre_modes=[NOT, CHOSEN, NOT, CHOSEN], pre='音\\チャイム.wav',
               by_flag=['音\\旗一.wav', '音\\旗二.wav', '音\\旗三.wav']),
    ticket=dict(use=1, plugin='C:\\プラグイン\\整理券.4SP', dates=[NOT, NOT, CHOSEN], fixed='2009/01/30'),
    ctl=dict(entry=1, speed=150, wait=2500, night=1, preview=1, left=3000, top=4500),
    board=(1500, 1200), custom=[0x010101 * (k + 1) for k in range(17)], count=60,
    cells=[(k % 3, k % 4, (k + 1) % 4) for k in range(60)])

if __name__ == '__main__':
    data = layout(defaults)
    assert len(data) == 598 + 10, len(data)
    open('defaults.in4', 'wb').write(data)
    open('every_field.in4', 'wb').write(layout(every))
    # The count before the cells is not 60: still 60 cells follow.
    odd = dict(every, count=7)
    open('count7.in4', 'wb').write(layout(odd))
    # The stop-order cell list has the entries 0..59: 60 does not exist.
    bad = dict(every, digits=dict(every['digits'], values=[1, 60, 1, 1, 58, 1, 57, 1, 149, 56]))
    open('bad_combo.in4', 'wb').write(layout(bad))
    # Cut short inside the sound paths.
    whole = layout(every)
    open('short.in4', 'wb').write(whole[:200])
