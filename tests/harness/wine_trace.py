"""Reading Wine's debug output (WINEDEBUG=+timestamp,+pid,+<channel>) into records."""

from __future__ import annotations

import dataclasses
import re


@dataclasses.dataclass(frozen=True)
class Trace:
    seq: int        # line of the log: the true order of calls made on one thread
    time: float     # seconds, CLOCK_MONOTONIC_RAW (millisecond resolution)
    pid: int
    tid: int
    channel: str
    function: str
    text: str


@dataclasses.dataclass(frozen=True)
class FileOpen:
    seq: int
    time: float
    pid: int
    tid: int
    path: str


@dataclasses.dataclass(frozen=True)
class Crash:
    image: str   # file name of the program the process ran; '' when nothing tells
    detail: str


@dataclasses.dataclass(frozen=True)
class WindowTrace:
    hwnd: int
    created: Trace       # the CreateWindowEx call
    shown: Trace | None  # the first ShowWindow that shows it


_PROCESS = r'^(?:\d+\.\d+:)?([0-9a-f]+):[0-9a-f]+:'
_LOADED_PROGRAM = re.compile(
    _PROCESS + r'trace:loaddll:\w+ Loaded L"(?:[^"]*\\)?([^"\\]+\.exe)" at ')
_UNHANDLED = re.compile(_PROCESS + r'err:seh:NtRaiseException (Unhandled exception code \w+)')
_EMULATOR_ENDED = re.compile(r'^qemu: uncaught target signal (\d+)')
_TRACE_LINE = re.compile(r'^(\d+\.\d+):([0-9a-f]+):([0-9a-f]+):trace:(\w+):(\w+) (.*)$')
_WIDE_STRING = re.compile(r'L"((?:[^"\\]|\\.)*)"')
_ESCAPES = {'n': '\n', 'r': '\r', 't': '\t', '\\': '\\', '"': '"'}


def unescape_wine_string(text: str) -> str:
    """Undoes Wine's debugstr_w: \\\\, \\", \\n, \\r, \\t and \\XXXX (four hex digits)."""
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c != '\\' or i + 1 == len(text):
            out.append(c)
            i += 1
        elif text[i + 1] in _ESCAPES:
            out.append(_ESCAPES[text[i + 1]])
            i += 2
        elif re.fullmatch(r'[0-9a-fA-F]{4}', text[i + 1:i + 5]):
            out.append(chr(int(text[i + 1:i + 5], 16)))
            i += 5
        else:
            out.append(c)
            i += 1
    return ''.join(out)


def parse_traces(lines) -> list[Trace]:
    found = []
    for seq, line in enumerate(lines):
        m = _TRACE_LINE.match(line)
        if m:
            found.append(Trace(seq, float(m[1]), int(m[2], 16), int(m[3], 16), m[4], m[5], m[6]))
    return found


def leading_wide_string(trace: Trace) -> str | None:
    m = _WIDE_STRING.match(trace.text)
    return unescape_wine_string(m[1]) if m else None


def file_opens_in(traces) -> list[FileOpen]:
    """The CreateFileW calls (channel 'file'), in the order of the log."""
    opens = []
    for t in traces:
        path = leading_wide_string(t) if t.function == 'CreateFileW' else None
        if t.channel == 'file' and path is not None:
            opens.append(FileOpen(t.seq, t.time, t.pid, t.tid, path))
    return opens


def window_trace(traces, title: str) -> WindowTrace | None:
    """When the top-level window with this title was created and first shown (channel 'win')."""
    created = hwnd = None
    for t in traces:
        if t.channel != 'win':
            continue
        if created is None:
            if t.function == 'WIN_CreateWindowEx' and leading_wide_string(t) == title:
                created = t
        elif hwnd is None:
            m = re.match(r'hwnd (0x[0-9a-f]+) cs ', t.text)
            if t.function == 'NtUserCreateWindowEx' and t.tid == created.tid and m:
                hwnd = int(m[1], 16)
        else:
            m = re.match(r'hwnd=(0x[0-9a-f]+), cmd=(\d+)', t.text)
            if t.function == 'show_window' and m and int(m[1], 16) == hwnd and m[2] != '0':
                return WindowTrace(hwnd, created, t)
    return WindowTrace(hwnd, created, None) if hwnd is not None else None


def crashes_in(lines) -> list[Crash]:
    """Processes that died of an unhandled exception, one entry each (channels +pid, +loaddll
    and err+seh), then those that the emulator ended itself (its message names no process)."""
    images, unhandled, ended = {}, {}, []
    for line in lines:
        if m := _LOADED_PROGRAM.match(line):
            images.setdefault(int(m[1], 16), m[2])
        elif m := _UNHANDLED.match(line):
            unhandled.setdefault(int(m[1], 16), m[2])
        elif m := _EMULATOR_ENDED.match(line):
            ended.append(Crash('', f'the emulator ended a process on signal {m[1]}'))
    return [Crash(images.get(pid, f'process {pid:04x}'), detail)
            for pid, detail in unhandled.items()] + ended
