#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into corpus/<target>/ beside this script.

The seeds are committed; run this again only to change them. Each is a small, valid example
of what its reader is made for, so the fuzzers start from the interesting paths.
"""
import json
import pathlib
import struct
import zlib

HERE = pathlib.Path(__file__).resolve().parent


def write(target, name, data):
    folder = HERE / "corpus" / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


def pack_once(content, level=9):
    return struct.pack("<i", len(content)) + zlib.compress(content, level)


def pack_nested(content, rounds):
    for _ in range(rounds):
        content = pack_once(content)
    return content


def pad_to_eight(data):
    """Inputs whose size is a multiple of 8 also go through files (see fuzz_support.h)."""
    return data + b"\0" * (-len(data) % 8)


def lrc_seeds():
    plain = "[ti:甜蜜蜜]\n[ar:邓丽君]\n[al:Album]\n[by:someone]\n[00:01.00]甜蜜蜜\n[00:05.50][00:20.00]你笑得甜蜜蜜\n"
    write("lrc_lyrics_fuzzer", "utf8.lrc", plain.encode("utf-8"))
    write("lrc_lyrics_fuzzer", "bom_crlf.lrc", b"\xef\xbb\xbf" + plain.replace("\n", "\r\n").encode("utf-8"))
    write("lrc_lyrics_fuzzer", "gbk.lrc", pad_to_eight(plain.encode("gbk")))
    odd = "[00:01]a [ text\n[00:02][ar:in a line]b\n[00:03][00:04]]c[\n[[00:05]]d\n[x]\n[ti:\n"
    write("lrc_lyrics_fuzzer", "odd.lrc", odd.encode("utf-8"))


def packed_seeds():
    text = "[section]\nkey=value\n".encode("gbk") * 4
    for rounds in (1, 2, 3):
        selector = bytes([rounds - 1])
        write("packed_file_fuzzer", f"rounds_{rounds}.bin", selector + pack_nested(text, rounds))
        write("packed_file_fuzzer", f"rounds_{rounds}_file.bin", pad_to_eight(selector + pack_nested(text, rounds)))
    write("packed_file_fuzzer", "stored.bin", b"\0" + pack_once(b"abcdefgh" * 8, 0))
    write("packed_file_fuzzer", "empty_content.bin", b"\0" + pack_once(b""))


def ini_seeds():
    ini = ("; comment\n[Moban_Canshu]\nMingcheng=\"浪漫 回忆\"\n  Shuliang = 3 \nkey=first\nKEY=second\n"
           "[other]\nx=\n=no key\nline without equals\n[unclosed\nvalue=" + "长" * 1100 + "\n")
    write("ini_file_fuzzer", "gbk.ini", ini.encode("gbk"))
    write("ini_file_fuzzer", "crlf.ini", pad_to_eight("[a]\r\nb=c\r\n[A]\r\nB=d\r\n".encode("gbk")))


def combination_text(entries):
    lines = ["[zuhemoban_canshu]", f"shuliang={len(entries)}"]
    lines += [f"canshu_{i}={entry}" for i, entry in enumerate(entries, 1)]
    return ("\n".join(lines) + "\n").encode("gbk")


def combination_seeds():
    write("template_combination_fuzzer", "two.ini", combination_text(["浪漫~2~1~", "童年~0~3~"]))
    write("template_combination_fuzzer", "odd.ini",
          pad_to_eight(combination_text(["short~1~", "a~x~-2~", "b~7~8~extra~", "~~~"])))
    # Counts whose sum once overflowed.
    write("template_combination_fuzzer", "huge_counts.ini", combination_text(["a~2147483647~0~", "b~1~0~"]))


def lottie_movie(layers, assets=(), markers=()):
    return {"v": "5.7.0", "fr": 25, "ip": 0, "op": 50, "w": 64, "h": 36, "nm": "seed", "ddd": 0,
            "assets": list(assets), "layers": layers, "markers": list(markers)}


def still(value):
    return {"a": 0, "k": value}


def moving(start, end):
    return {"a": 1, "k": [{"t": 0, "s": start, "e": end, "i": {"x": [0.5], "y": [0.5]},
                           "o": {"x": [0.5], "y": [0.5]}}, {"t": 49, "s": end}]}


def transform(opacity=None, position=None):
    return {"o": opacity or still(100), "r": still(0), "p": position or still([32, 18, 0]),
            "a": still([32, 18, 0]), "s": still([100, 100, 100])}


def layer(index, kind, name, **extra):
    base = {"ddd": 0, "ind": index, "ty": kind, "nm": name, "sr": 1, "ks": transform(), "ao": 0,
            "ip": 0, "op": 50, "st": 0, "bm": 0}
    base.update(extra)
    return base


def image_asset(asset_id, w, h, path, folder=""):
    return {"id": asset_id, "w": w, "h": h, "u": folder, "p": path, "e": 0}


def movie_seeds():
    rect = {"ty": "gr", "it": [{"ty": "rc", "d": 1, "s": still([10, 10]), "p": still([0, 0]), "r": still(0)},
                               {"ty": "fl", "c": still([1, 1, 1, 1]), "o": still(100), "r": 1},
                               {"ty": "tr", "p": still([0, 0]), "a": still([0, 0]), "s": still([100, 100]),
                                "r": still(0), "o": still(100)}]}
    reveal = {"inv": False, "mode": "a", "o": still(100), "x": still(0),
              "pt": moving([{"i": [[0, 0]] * 4, "o": [[0, 0]] * 4, "v": [[0, 0], [1, 0], [1, 36], [0, 36]], "c": True}],
                           [{"i": [[0, 0]] * 4, "o": [[0, 0]] * 4, "v": [[0, 0], [64, 0], [64, 36], [0, 36]], "c": True}])}
    full = lottie_movie(
        layers=[layer(1, 4, "mark", shapes=[rect]),
                layer(2, 2, "slot", refId="slot", hasMask=True, masksProperties=[reveal], parent=5),
                layer(3, 2, "wj_y_l_b_j", refId="background"),
                layer(4, 1, "backdrop", sc="#0000ff", sw=64, sh=36),
                layer(5, 3, "mover", ks=transform(position=moving([32, 18, 0], [40, 18, 0])))],
        assets=[image_asset("slot", 32, 18, "picture.png"), image_asset("background", 64, 36, "missing.jpg", "images/")],
        markers=[{"tm": 0, "cm": "l_x_z_q_r_f_c_x_c=l_x_z_k_t_f_c_s_y_q_rx_c_w_j", "dr": 0}])
    write("template_movie_fuzzer", "full.json", json.dumps(full, ensure_ascii=False).encode("utf-8"))

    fading = lottie_movie(
        layers=[layer(1, 2, "wj_y_l_b_j", refId="background", ks=transform(opacity=moving(100, 0))),
                layer(2, 0, "precomp", refId="comp", w=64, h=36)],
        assets=[image_asset("background", 16, 9, "data:image/png;base64,iVBORw0KGgo="),
                {"id": "comp", "layers": [layer(1, 2, "wj_y_l_b_j", refId="background")]}])
    write("template_movie_fuzzer", "fading.json", pad_to_eight(json.dumps(fading).encode("utf-8")))

    write("template_movie_fuzzer", "smallest.json", b'{"w":8,"h":8,"ip":0,"op":1,"layers":[]}')


def exif_payload(orientation, thumbnail=b""):
    """An APP1 payload: "Exif\\0\\0", a big-endian TIFF header, IFD0 with the orientation and IFD1
    pointing at an embedded thumbnail."""
    tiff = bytearray(b"MM\x00\x2a" + struct.pack(">I", 8))
    ifd0 = struct.pack(">H", 1) + struct.pack(">HHIHH", 0x0112, 3, 1, orientation, 0)
    ifd1_offset = 8 + len(ifd0) + 4
    tiff += ifd0 + struct.pack(">I", ifd1_offset if thumbnail else 0)
    if thumbnail:
        data_offset = ifd1_offset + 2 + 2 * 12 + 4
        tiff += struct.pack(">H", 2)
        tiff += struct.pack(">HHII", 0x0201, 4, 1, data_offset)
        tiff += struct.pack(">HHII", 0x0202, 4, 1, len(thumbnail))
        tiff += struct.pack(">I", 0) + thumbnail
    return b"Exif\0\0" + bytes(tiff)


def segment(marker, payload):
    return bytes([0xFF, marker]) + struct.pack(">H", len(payload) + 2) + payload


def jpeg(width, height, app1=None, frame=0xC0, fill=b""):
    data = b"\xff\xd8"
    if app1 is not None:
        data += segment(0xE1, app1)
    data += segment(0xE0, b"JFIF\0\x01\x01\0\0\x01\0\x01\0\0")
    data += fill
    data += segment(frame, bytes([8]) + struct.pack(">HH", height, width) + b"\x03" + b"\x01\x22\x00\x02\x11\x01\x03\x11\x01")
    data += segment(0xDA, b"\x03\x01\x00\x02\x11\x03\x11\x00\x3f\x00") + b"\x12\x34\xff\xd9"
    return data


def jpeg_seeds():
    thumbnail = jpeg(16, 12)
    write("jpeg_header_fuzzer", "plain.jpg", jpeg(640, 480))
    write("jpeg_header_fuzzer", "turned.jpg", pad_to_eight(jpeg(640, 480, exif_payload(6, thumbnail))))
    write("jpeg_header_fuzzer", "progressive.jpg", jpeg(3, 65500, exif_payload(3), frame=0xC2, fill=b"\xff\xff\xd0"))
    write("jpeg_header_fuzzer", "exif_little_endian.bin",
          b"Exif\0\0II\x2a\x00\x08\x00\x00\x00\x01\x00\x12\x01\x03\x00\x01\x00\x00\x00\x08\x00\x00\x00\x00\x00\x00\x00")


if __name__ == "__main__":
    lrc_seeds()
    packed_seeds()
    ini_seeds()
    combination_seeds()
    movie_seeds()
    jpeg_seeds()
