"""Hears what a program under Wine plays: a private PulseAudio server whose one sink writes the
mixed output of every stream, in real time, into a pipe that this module reads.

    with Session() as s, SoundCapture(s) as capture:   # before the session's first program
        ...
        level = capture.tone_level(440, t0, t1)      # RMS of that tone in [t0, t1), 0..1
        onset = capture.tone_onset(440, after=t0)    # when the tone first sounds, or None
        onset, end = capture.tone_span(440, after=t0)

Times are on the harness's clock (now(), the clock of Wine's +timestamp). The pipe sink writes
silence while nothing plays, so the capture's clock runs on; sample i was written at about
start + i / RATE, with start estimated from when the reads came back. Wine pads a late stream
with a few ms of silence rather than dropping samples, so tones are judged over short windows.

Timing: the pipe sink writes each block when its time to play begins (pulseaudio's
use_system_clock_for_timing), so a read that returns at t with n frames so far, the last block
of b frames, puts frame 0 no later than t - (n - b) / RATE; the earliest such bound is taken.

The session's prefix is switched from its ALSA null sink to PulseAudio, and the programs find the
server through PULSE_SERVER with a cookie and client configuration of the session's own: nothing
in anyone's home is read or written, and no other server is started.
"""

from __future__ import annotations

import array
import math
import os
import subprocess
import threading
import time
from pathlib import Path

from harness_base import now, run_quiet

RATE = 44100
CHANNELS = 2
FRAME_BYTES = 2 * CHANNELS
# Tones are measured over Hann windows of 20 ms (50 Hz bins: tones 200 Hz apart do not leak
# into each other), one every 5 ms.
WINDOW = 0.02
HOP = 0.005


class SoundCapture:
    def __init__(self, session):
        if session.runs:
            raise RuntimeError('start the capture before the session runs a program')
        self.dir = session.dir / 'pulse'
        self.dir.mkdir()
        self.fifo = self.dir / 'sink.fifo'
        os.mkfifo(self.fifo)
        self.socket = self.dir / 'native'
        self._chunks: list[bytes] = []
        self._start: float | None = None  # time of frame 0
        self._written = 0                  # bytes read so far
        self._mono = array.array('h')
        self._lock = threading.Lock()
        self._stop = threading.Event()
        self.server = self._start_server()
        # The pipe sink opens its end read-write, so this open does not wait for it.
        self._pipe = os.open(self.fifo, os.O_RDONLY | os.O_NONBLOCK)
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()
        self._wait_for_server()
        session.env.update(self._client_env())
        _use_pulse_driver(session.prefix)

    # -- the server -------------------------------------------------------------------------

    def _server_env(self) -> dict:
        env = dict(os.environ)
        for name in ('PULSE_SERVER', 'DBUS_SESSION_BUS_ADDRESS', 'DISPLAY'):
            env.pop(name, None)
        env.update(HOME=str(self.dir), XDG_RUNTIME_DIR=str(self.dir),
                   XDG_CONFIG_HOME=str(self.dir / 'config'),
                   PULSE_RUNTIME_PATH=str(self.dir / 'runtime'),
                   PULSE_STATE_PATH=str(self.dir / 'state'),
                   PULSE_COOKIE=str(self.dir / 'cookie'))
        return env

    def _client_env(self) -> dict:
        client_conf = self.dir / 'client.conf'
        client_conf.write_text('autospawn = no\n')
        return {'PULSE_SERVER': f'unix:{self.socket}', 'PULSE_COOKIE': str(self.dir / 'cookie'),
                'PULSE_CLIENTCONFIG': str(client_conf)}

    def _start_server(self) -> subprocess.Popen:
        script = self.dir / 'server.pa'
        script.write_text(
            f'load-module module-native-protocol-unix socket={self.socket} auth-anonymous=1\n'
            f'load-module module-pipe-sink sink_name=capture file={self.fifo} format=s16le '
            f'rate={RATE} channels={CHANNELS} use_system_clock_for_timing=yes\n'
            'set-default-sink capture\n')
        # -n: no default script; the server's own log goes to a file of the session.
        return subprocess.Popen(
            ['pulseaudio', '-n', '-F', str(script), '--daemonize=no', '--exit-idle-time=-1',
             '--use-pid-file=no', '--disable-shm=yes', '--log-target=file:' +
             str(self.dir / 'server.log'), '--log-level=warning'],
            env=self._server_env(), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)

    def _wait_for_server(self, timeout: float = 20) -> None:
        deadline = now() + timeout
        env = dict(self._server_env(), **self._client_env())
        while True:
            if self.server.poll() is not None:
                raise RuntimeError('pulseaudio ended at start: ' +
                                   (self.dir / 'server.log').read_text(errors='replace'))
            if self.socket.exists() and run_quiet(['pactl', 'info'], env=env,
                                                  check=False).returncode == 0:
                return
            if now() > deadline:
                raise RuntimeError(f'pulseaudio did not answer within {timeout} s')
            time.sleep(0.05)

    def __enter__(self) -> 'SoundCapture':
        return self

    def __exit__(self, *exc) -> None:
        self.close()

    def close(self) -> None:
        self._stop.set()
        if self.server.poll() is None:
            self.server.terminate()
            try:
                self.server.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.server.kill()
                self.server.wait()
        self._reader.join(timeout=5)
        try:
            os.close(self._pipe)
        except OSError:
            pass

    def _read(self) -> None:
        total = 0
        while not self._stop.is_set():
            try:
                chunk = os.read(self._pipe, 65536)
            except BlockingIOError:
                time.sleep(0.002)
                continue
            except OSError:
                return
            if not chunk:
                time.sleep(0.002)
                continue
            t = now()
            bound = t - total / FRAME_BYTES / RATE
            total += len(chunk)
            with self._lock:
                self._chunks.append(chunk)
                self._written = total
                self._start = bound if self._start is None else min(self._start, bound)

    # -- what was heard -----------------------------------------------------------------------

    def _snapshot(self) -> tuple[array.array, float]:
        """The samples so far, the two channels averaged, and the time of sample 0."""
        with self._lock:
            chunks, self._chunks = self._chunks, []
            start = self._start
        if start is None:
            raise AssertionError('the sound server wrote nothing into its pipe')
        data = b''.join(chunks)
        stereo = array.array('h')
        stereo.frombytes(data)
        self._mono.extend((stereo[i] + stereo[i + 1]) // 2 for i in range(0, len(stereo), 2))
        return self._mono, start

    def end_time(self) -> float | None:
        """The time of the latest sound captured."""
        with self._lock:
            if self._start is None:
                return None
            return self._start + self._written / FRAME_BYTES / RATE

    def wait_until(self, t: float, timeout: float = 10) -> None:
        """Waits until the capture holds the sound of time t."""
        deadline = now() + timeout
        while (self.end_time() or 0) < t:
            if now() > deadline:
                raise AssertionError(f'the capture did not reach {t:.3f} within {timeout} s')
            time.sleep(0.02)

    def levels(self, frequencies, t0: float, t1: float) -> list[tuple[float, list[float]]]:
        """(window centre, [RMS of each frequency]) for each window from t0 to t1."""
        self.wait_until(t1)
        mono, start = self._snapshot()
        n, hop = int(WINDOW * RATE), int(HOP * RATE)
        first = max(0, int((t0 - start) * RATE))
        last = min(len(mono), int((t1 - start) * RATE))
        return [(start + (i + n / 2) / RATE, [tone_rms(mono[i:i + n], f) for f in frequencies])
                for i in range(first, last - n + 1, hop)]

    def tone_level(self, frequency: float, t0: float, t1: float) -> float:
        """RMS of the tone over [t0, t1), on the 0..1 scale of the samples."""
        values = [v[0] for _, v in self.levels([frequency], t0, t1)]
        return math.sqrt(sum(v * v for v in values) / len(values)) if values else 0.0

    def tone_onset(self, frequency: float, after: float, within: float = 3,
                   threshold: float = 0.05) -> float | None:
        """The centre of the first window after `after` in which the tone reaches threshold."""
        for t, (level,) in self.levels([frequency], after, after + within):
            if level >= threshold:
                return t
        return None

    def tone_span(self, frequency: float, after: float, within: float = 6,
                  threshold: float = 0.05, gap: float = 0.05) -> tuple[float, float] | None:
        """(onset, end) of the first stretch of the tone after `after`; dips shorter than `gap`
        (Wine's padding under load) do not end it."""
        span = None
        last = None
        for t, (level,) in self.levels([frequency], after, after + within):
            if level >= threshold:
                if span is None:
                    span = t
                last = t + HOP
            elif span is not None and t - last > gap:
                break
        return (span, last) if span is not None else None


_HANN: dict[int, list[float]] = {}


def tone_rms(samples, frequency: float) -> float:
    """RMS (0..1) of a tone of one frequency in a window of 16-bit samples (Goertzel's
    algorithm over a Hann window)."""
    n = len(samples)
    hann = _HANN.setdefault(n, [0.5 - 0.5 * math.cos(2 * math.pi * i / n) for i in range(n)])
    coeff = 2 * math.cos(2 * math.pi * frequency / RATE)
    s1 = s2 = 0.0
    for x, w in zip(samples, hann):
        s1, s2 = x * w + coeff * s1 - s2, s1
    magnitude = math.sqrt(max(s1 * s1 + s2 * s2 - coeff * s1 * s2, 0.0))
    # A sine of amplitude A gives A * n / 4 through the window (its mean is 1/2).
    return magnitude * 4 / n / 32768 / math.sqrt(2)


def _use_pulse_driver(prefix: Path) -> None:
    """Points the prefix's audio driver at PulseAudio (the template says ALSA)."""
    user_reg = prefix / 'user.reg'
    text = user_reg.read_text(encoding='utf-8', errors='surrogateescape')
    if '"Audio"="alsa"' not in text:
        raise RuntimeError(f'no ALSA driver setting in {user_reg}')
    user_reg.write_text(text.replace('"Audio"="alsa"', '"Audio"="pulse"'),
                        encoding='utf-8', errors='surrogateescape')
