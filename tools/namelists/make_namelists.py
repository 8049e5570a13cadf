#!/usr/bin/env python3
"""Writes the three name lists that ship beside the editor: name.txt, face.txt, city.txt.

The editor reads each list once at start-up as white-space separated GBK words, each at most
15 bytes, and takes only the first 702 person names, 686 face names and 50 city names.

The person names are made up: a seeded generator joins a common surname to one or two common
given-name characters, so the output is identical on every run and no list is taken from
elsewhere. Run from anywhere; the files go to ../../assets relative to this script unless a
target directory is given as the only argument.
"""

import random
import sys
from pathlib import Path

SEED = 20240601
PERSON_COUNT = 702
FACE_COUNT = 686
MAX_WORD_BYTES = 15
MAX_PERSON_NAME_BYTES = 6

SURNAMES = (
    "王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓彭曾肖田董袁潘"
    "于蒋蔡余杜叶程苏魏吕丁任沈姚卢姜崔钟谭陆汪范金石廖贾夏韦方白邹孟熊秦邱江"
    "尹薛段雷侯龙史陶黎贺顾毛郝龚邵万钱严覃戴莫孔向汤柳窦宁凌鲁齐康温"
)

GIVEN_CHARS = (
    "文明华建国志海德永安平成世光仁义良才庆元清远长兴振昌福宏松山林青云正方英"
    "俊博和泰升鸿信忠诚恒景瑞祥晨嘉子春秋冬雨雪梅兰竹菊玉琳琪慧敏静淑婉丽芳"
    "秀君怀思远达通川河江波涛浩然修齐治章彦彬斌杰凯弘毅坚刚武勇胜威健宇轩"
    "之若守恭谦敬礼智勤朗明哲德厚承继绍延寿昭"
)

# One- or two-character given names, weighted toward two as in everyday use.
SINGLE_GIVEN_SHARE = 0.3

# Face names are numbered by face index so a user can match a portrait to its code.
FACE_PREFIX = "头像"

# City index order is fixed by the editor's city drop-down list; these are its items verbatim.
CITY_NAMES = (
    "襄平", "北平", "蓟", "南皮", "平原", "邺", "晋阳", "上党", "北海", "濮阳",
    "陈留", "下坯", "小沛", "许昌", "汝南", "洛阳", "长安", "安定", "天水", "西平",
    "武威", "寿春", "庐江", "建业", "吴", "会籍", "柴桑", "宛城", "新野", "襄阳",
    "江陵", "江夏", "长沙", "武陵", "桂阳", "零陵", "西城", "永安", "汉中", "梓潼",
    "成都", "江州", "建宁", "云南", "交趾", "倭", "乌丸", "羌", "山越", "南蛮",
)


def person_names(rng):
    given = sorted(set(GIVEN_CHARS))
    names = []
    seen = set()
    while len(names) < PERSON_COUNT:
        length = 1 if rng.random() < SINGLE_GIVEN_SHARE else 2
        name = rng.choice(SURNAMES) + "".join(rng.choice(given) for _ in range(length))
        if name in seen or (length == 2 and name[1] == name[2]):
            continue
        seen.add(name)
        names.append(name)
    return names


def face_names():
    return [f"{FACE_PREFIX}{i:03d}" for i in range(FACE_COUNT)]


def check_words(file_name, words, max_bytes):
    for word in words:
        size = len(word.encode("gbk"))
        if not word or any(c.isspace() for c in word) or size > max_bytes:
            raise SystemExit(f"{file_name}: unusable word {word!r} ({size} bytes)")
    if len(set(words)) != len(words):
        raise SystemExit(f"{file_name}: duplicate words")


def write_list(directory, file_name, words):
    path = directory / file_name
    try:
        with open(path, "w", encoding="gbk", newline="\n") as out:
            out.write("\n".join(words) + "\n")
    except OSError as error:
        raise SystemExit(f"{path}: cannot write: {error.strerror}")


def main():
    if len(sys.argv) > 2:
        raise SystemExit("usage: make_namelists.py [target directory]")
    default_dir = Path(__file__).resolve().parent.parent.parent / "assets"
    directory = Path(sys.argv[1]) if len(sys.argv) == 2 else default_dir

    lists = (
        ("name.txt", person_names(random.Random(SEED)), MAX_PERSON_NAME_BYTES),
        ("face.txt", face_names(), MAX_WORD_BYTES),
        ("city.txt", list(CITY_NAMES), MAX_WORD_BYTES),
    )
    for file_name, words, max_bytes in lists:
        check_words(file_name, words, max_bytes)
    for file_name, words, _ in lists:
        write_list(directory, file_name, words)


if __name__ == "__main__":
    main()
