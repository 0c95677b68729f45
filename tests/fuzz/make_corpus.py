#!/usr/bin/env python3
"""Writes the seed corpus of the line harness: real frames of every answer family.

Each file is one set-up byte (see line_harness.cpp) followed by the bytes the gauge sends.
Run it from anywhere; it rewrites tests/fuzz/corpus/.
"""
import pathlib

STX, ETX, ACK, NAK, SOH, CR = b"\x02", b"\x03", b"\x06", b"\x15", b"\x01", b"\x0d"


def frame(payload: bytes) -> bytes:
    bcc = 0
    for b in payload + ETX:
        bcc ^= b
    return STX + payload + ETX + bytes([bcc])


def measurement(code: bytes, tank: int, end: bytes, unit=b"V") -> bytes:
    return (code + b" %02d" % tank + b"0.85" + b"GC" + b"015000" + b"000750" + b"000250"
            + b"143005" + b"050318" + unit + end)


identification = frame(b"IDA0112")
configuration = frame(b"CF16123456" + b"1")
seeds = {
    "ack": (0x10, ACK),
    "nak_nak_nak_nak": (0x10, NAK * 4),
    "connection_cycle": (0x11, ACK + identification + ACK + configuration),
    "identification_other_address": (0x11, ACK + frame(b"IDB0212")),
    "error_answers": (0x20, frame(b"MTETI") + frame(b"MTENH") + frame(b"MPESL") + frame(b"MTEXX")),
    "clock": (0x30, frame(b"LR090530311218" + b"02") + frame(b"AR090530311218" + b"02")),
    "measurement_volume": (0x18, frame(measurement(b"MT", 7, CR))),
    "measurement_weight": (0x40, frame(measurement(b"LM", 12, CR, b"P"))),
    "inventory": (0x13, ACK + b"".join(frame(measurement(b"MA", t, CR if t == 16 else b" "))
                                       for t in range(1, 17))),
    "programmed_series": (0x54, ACK + frame(b"MP143005050318001500 03" + SOH)
                          + frame(b"MP150000050318001400 03" + SOH)
                          + frame(b"MP160000050318001300 03" + ETX)),
    "bad_bcc": (0x20, STX + b"LR090530311218" + b"02" + ETX + b"\x00"),
    "noise_then_frame": (0x80, b"\xff\x00noise" + frame(b"LR000000010100" + b"01")),
    "unterminated": (0x70, STX + b"ID" * 200),
}

out = pathlib.Path(__file__).resolve().parent / "corpus"
out.mkdir(exist_ok=True)
for old in out.iterdir():
    old.unlink()
for name, (setup, line) in seeds.items():
    (out / name).write_bytes(bytes([setup]) + line)
