#!/usr/bin/env python3
"""Writes the hand-made seeds of fuzz/corpus/<harness>/ (the delivered files in data/ are
seeds too; scripts/fuzz.sh adds them). Each seed is a small input in the layout its
harness's header describes: valid conversations with the instrument, the edge forms of
each file, a few damaged ones. Run it after changing a layout; it rewrites the folders.

Usage: fuzz/make_seeds.py
"""

import os
import shutil
import struct

CORPUS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def crc16_modbus(data):
    crc = 0xFFFF
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def with_crc(data):
    return data + struct.pack("<H", crc16_modbus(data))


def frame(hex_text):
    return bytes.fromhex(hex_text)


FACTORY = [7, 4, 4, 1, 3, 3, 3, 1, 2, 4, 4, 2, 2, 1, 1, 1, 2, 1, 2, 1, 2, 1, 6, 6, 1, 3, 4, 4,
           4, 3, 2, 2, 2, 3, 2, 3, 2, 5, 2, 5, 2, 1, 1, 1, 0, 0, 0, 0, 8, 0, 30, 0, 100, 2, 88,
           0, 100, 0, 60, 0, 30, 0, 10]
MODEL_REPLY = frame("3703020001B180")
IDENTITY_REPLY = frame("370247120385087E")
WRITE_ACK = with_crc(frame("370647120385"))


def block_reply(values):
    words = b"".join(struct.pack(">h", v) for v in values)
    return with_crc(bytes([0x37, 0x05, len(words)]) + words)


def counted(data):
    assert len(data) < 256
    return bytes([len(data)]) + data


def piece(delay, data):  # delay byte d: d^2 x 100 us
    return bytes([delay]) + counted(data)


def script(data, flags=0, delay=5):  # one reply of the transfers harness
    return bytes([delay, flags]) + counted(data)


def file_shape_seeds(unit):  # fuzzsupport.h, placeInputFile: the first byte chooses
    return {"missing": b"\x00", "folder": b"\x01", "too-large": b"\x02" + unit,
            "at-limit": b"\x03" + unit}


def textos_seeds():
    forms = ('plain,"quoted, with comma",  blanks before\r\n"after quote" ignored,x\n'
             'lf only\rcr only\r\n"line\r\nend inside",,\t"unterminated')
    items = "\r\n".join('"%d"' % i if i % 3 else str(i) for i in range(1, 1501))
    return {"forms.sys": forms.encode("cp1252"), "five-blocks.sys": items.encode("cp1252"),
            **file_shape_seeds(b'"item",')}


def conflang_seeds():
    seeds = {}
    for name in ["CASTELLANO", "ENGLISH", "FRANÇAIS", "DEUTSCHLAND", "NORWEGIAN"]:
        seeds[name.lower().replace("ç", "c") + ".sys"] = ("$%s$\r\n" % name).encode("cp1252")
    seeds["unclosed.sys"] = b"$ENGLISH\r\n"
    seeds["late.sys"] = b" " * 45 + b"$NORWEGIAN$\r\n"
    return seeds


def confcom_seeds():
    return {"saved.sys": b"COM3:1920,O,7,2#000#\r\n", "speed.sys": b"COM2:19200,E,8,2\r\n",
            "damaged.sys": b"COMx:96,Q,9,3", "blank.sys": b"  \r\n"}


def defaultfil_seeds():
    return {"quoted.fil": b'"factory",other\r\n', "outside.fil": b"../DECOY\r\n",
            "decoy.fil": b"DECOY\r\n", "device.fil": b"CON\r\n", **file_shape_seeds(b"FACTORY ")}


def qvt_seeds():
    negative = "".join("%d \r\n" % -v for v in FACTORY)
    return {"one-line.QVT": ",".join(map(str, FACTORY)).encode(),
            "negative.QVT": negative.encode(), "short.QVT": b" 7 \r\n 4 \r\n",
            "too-big.QVT": b" 40000 \r\n" * 63, **file_shape_seeds(b" 1 \r\n")}


def report_seeds():
    values = b"".join(struct.pack(">h", v) for v in FACTORY)
    boxes = [b"12.5", b"60", b"-3", b"1500", b"2.75xyz", b" 10", b"", b"24"]
    texts = [b"T%d " % n for n in range(1, 48)]
    data = values + b"".join(map(counted, boxes + [b"SN-0042"] + texts))
    out_of_range = b"\xff\xff" * 44 + b"\x7f\xff" * 19
    return {"factory.bin": data, "no-option.bin": out_of_range}


def frametext_seeds():
    return {"request.txt": b"3703002D00011195", "lower.txt": b"3703002d0001",
            "signed.txt": b"+F0 ", "odd.txt": b"37G"}


def replies_seeds():
    block = block_reply(FACTORY)
    return {
        "model.bin": bytes([0, 0]) + piece(20, MODEL_REPLY),
        "identity-split.bin": bytes([0, 0]) + piece(10, IDENTITY_REPLY[:3]) + piece(60, IDENTITY_REPLY[3:]),
        "block-bursts.bin": bytes([62, 1]) + piece(15, block[:100]) + piece(3, block[100:]),
        "crc-error-twice.bin": bytes([0, 2]) + piece(5, MODEL_REPLY[:-1] + b"\x00") + piece(240, MODEL_REPLY),
        "lost.bin": bytes([62, 0]) + piece(30, block[:40]) + piece(1, b""),
    }


def transfers_seeds():
    read = [script(MODEL_REPLY), script(IDENTITY_REPLY), script(block_reply(FACTORY)),
            script(IDENTITY_REPLY)]
    edited = [k for k in range(1, 64)]
    write = [script(MODEL_REPLY), script(IDENTITY_REPLY)] + [script(WRITE_ACK)] * 62
    write += [script(IDENTITY_REPLY), script(b"")]  # identity B, then the reset gets no reply
    write += [script(MODEL_REPLY), script(IDENTITY_REPLY), script(block_reply(edited)),
              script(IDENTITY_REPLY)]
    crc_fixed = [script(MODEL_REPLY[:-2], flags=1), script(IDENTITY_REPLY[:-2], flags=1 | 2)]
    return {
        "read.bin": b"\x00" + b"".join(read),
        "read-fixed-crc.bin": b"\x04" + b"".join(crc_fixed + read[2:]),
        "read-held.bin": b"\x02" + b"".join(read),
        "read-closing.bin": b"\x00" + b"".join(read[:2] + [script(block_reply(FACTORY), flags=8)]),
        "write.bin": b"\x01" + b"".join(write),
        "write-lost.bin": b"\x01" + b"".join(write[:10] + [script(WRITE_ACK, flags=4)]),
        "cli-read.bin": b"\x08" + b"".join(read),
        "cli-write.bin": b"\x09" + b"".join(write),
        "cli-write-lost.bin": b"\x09" + b"".join(write[:10] + [script(WRITE_ACK, flags=4)]),
    }


def sim_requests_seeds():
    requests = ["3703002D00011195", "3702002100002D96", "37050001003FD98C", "3702000000007D9C"]
    read = b"\x00" + b"".join(piece(30, frame(r)) for r in requests)
    write = frame("370600010007") + struct.pack("<H", crc16_modbus(frame("370600010007")))
    reset = frame("37060063270F27B6")
    return {
        "read.bin": read,
        "write-reset.bin": b"\x00" + piece(30, write) + piece(30, reset) + piece(10, frame(requests[0])),
        "resync.bin": b"\x00" + piece(0, b"\xa5\x37" + frame(requests[0])[:5]) + piece(1, frame(requests[0])[5:]),
        "faults.bin": b"\x3e" + piece(30, frame(requests[1])) + piece(30, frame(requests[2])),
        "exceptions.bin": b"\x00" + piece(30, with_crc(frame("370700000001")))
        + piece(30, with_crc(frame("37030100007D"))) + piece(30, with_crc(frame("37060400FFFF"))),
    }


def sim_options_seeds():
    return {
        "link.txt": b"--program-dir\n/tmp/p\n--port\n2\n--quiet",
        "faults.txt": b"--crc-errors=always\n--wrong-identity=3\n--model=2\n--stray-bytes=4\n--split-gap-ms=300",
        "bad.txt": b"--baud=49\n--stop-after=-1",
        "help.txt": b"--help",
    }


def main():
    makers = {"fuzz_textos": textos_seeds, "fuzz_conflang": conflang_seeds,
              "fuzz_confcom": confcom_seeds, "fuzz_defaultfil": defaultfil_seeds,
              "fuzz_qvt": qvt_seeds, "fuzz_report": report_seeds,
              "fuzz_frametext": frametext_seeds, "fuzz_replies": replies_seeds,
              "fuzz_transfers": transfers_seeds, "fuzz_sim_requests": sim_requests_seeds,
              "fuzz_sim_options": sim_options_seeds}
    for harness, make in makers.items():
        folder = os.path.join(CORPUS, harness)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        for name, data in make().items():
            with open(os.path.join(folder, name), "wb") as out:
                out.write(data)


if __name__ == "__main__":
    main()
