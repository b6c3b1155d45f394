#!/usr/bin/python3
"""Acts as the window manager on an X display and measures how long the window titled
"ORBA Zurizede" takes to answer _NET_WM_PING, the desktop's "are you alive" question.

    ping_probe.py SECONDS      ping every 50 ms for SECONDS once the window is mapped,
                               then print the longest and the median answer time in ms.

A benchmark helper, never a test. It maps every window that asks to be mapped, as a window
manager does, so start it before the program.
"""
import select
import statistics
import sys
import time

from Xlib import X, display
from Xlib.protocol import event

PING_EVERY = 0.05
TITLE = "ORBA Zurizede"


def main():
    seconds = float(sys.argv[1])
    d = display.Display()
    root = d.screen().root
    root.change_attributes(event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
    wm_protocols = d.intern_atom("WM_PROTOCOLS")
    net_wm_ping = d.intern_atom("_NET_WM_PING")
    target = None
    sent = {}  # timestamp -> when it was sent
    answers = []
    unanswered_since = None
    deadline = None
    next_ping = 0.0
    counter = 1
    while deadline is None or time.monotonic() < deadline:
        while d.pending_events():
            e = d.next_event()
            if e.type == X.MapRequest:
                e.window.map()
                d.flush()
            elif e.type == X.ConfigureRequest:
                e.window.configure(x=e.x, y=e.y, width=e.width, height=e.height)
            elif e.type == X.MapNotify and target is None:
                name = e.window.get_wm_name()
                if name and TITLE in name:
                    target = e.window
                    deadline = time.monotonic() + seconds
            elif e.type == X.ClientMessage and e.client_type == wm_protocols:
                fmt, data = e.data
                if data[0] == net_wm_ping and data[1] in sent:
                    answers.append((time.monotonic() - sent.pop(data[1])) * 1000)
        now = time.monotonic()
        if target is not None and now >= next_ping:
            counter += 1
            ping = event.ClientMessage(window=target, client_type=wm_protocols,
                                       data=(32, [net_wm_ping, counter, target.id, 0, 0]))
            target.send_event(ping, event_mask=X.NoEventMask)
            d.flush()
            sent[counter] = now
            next_ping = now + PING_EVERY
        select.select([d], [], [], 0.01)
    # A ping never answered counts as long as it has waited.
    end = time.monotonic()
    waiting = [(end - t) * 1000 for t in sent.values() if end - t > PING_EVERY]
    worst = max(answers + waiting) if answers or waiting else float("nan")
    print("pings answered %d, unanswered %d, longest %.1f ms, median %.1f ms"
          % (len(answers), len(waiting), worst,
             statistics.median(answers) if answers else float("nan")))


if __name__ == "__main__":
    main()
