#!/usr/bin/env python3
"""Writes the bundled demo draw folder demo/抽奖名单/ from the UTF-8 lists in
demo_sources/: the roster, the basic configuration, the prize names, an
empty winners record and an empty draw log (its presence switches the log on). The program reads these files as GBK text with CR LF
line breaks and no byte-order mark, so that is how they are written.

The folder's background picture 背景.bmp comes from generate_pictures.

Usage: make_demo.py [resources folder]   (default: the one above this script)
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCES = os.path.join(HERE, 'demo_sources')


def read_lines(name):
    with open(os.path.join(SOURCES, name), encoding='utf-8') as f:
        return f.read().splitlines()


def write_gbk(path, lines):
    data = b''.join(line.encode('gbk') + b'\r\n' for line in lines)
    with open(path, 'wb') as f:
        f.write(data)


def main():
    resources = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(HERE)
    folder = os.path.join(resources, 'demo', '抽奖名单')
    os.makedirs(folder, exist_ok=True)

    roster = [name for name in read_lines('roster.txt') if name.strip()]
    if len(roster) != len(set(roster)):
        sys.exit('roster.txt: a name occurs twice')
    config = read_lines('config.txt')
    prizes = [name for name in read_lines('prizes.txt') if name.strip()]
    # Line 5 of the configuration is the tier count; it must match the names.
    if len(config) < 6 or int(config[5]) != len(prizes):
        sys.exit('config.txt: line 5 must give the number of prize names (%d)' % len(prizes))

    write_gbk(os.path.join(folder, '抽奖名单.txt'), roster)
    write_gbk(os.path.join(folder, '基础配置.ini'), config)
    write_gbk(os.path.join(folder, '奖项设置.ini'), prizes)
    record = []
    for prize in prizes:
        record += ['[' + prize + ']', '']
    write_gbk(os.path.join(folder, '获奖记录.txt'), record)

    # The program writes the byte-order mark and the lines; the demo starts empty.
    open(os.path.join(folder, '抽奖日志.txt'), 'wb').close()

    background = os.path.join(folder, config[1])
    if not os.path.exists(background):
        print('note: %s is missing; run generate_pictures to make it' % background)
    print('wrote %d names, %d prizes to %s' % (len(roster), len(prizes), folder))


if __name__ == '__main__':
    main()
