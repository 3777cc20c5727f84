#!/usr/bin/env python3
"""A UDP relay on 127.0.0.1 between a game host and one guest, for the
network tests: it delays, drops, duplicates and reorders packets from a seed,
and can go silent for a while (from a time, or while a file exists). It listens on a port the system picks, prints
it, and forwards only between the host's port and the first other loopback
sender. It stops by itself after --lifetime seconds."""
import argparse, heapq, os, random, select, socket, sys, time

p = argparse.ArgumentParser()
p.add_argument("--host-port", type=int, required=True)
p.add_argument("--delay", type=float, default=0)     # ms, one way
p.add_argument("--jitter", type=float, default=0)    # ms
p.add_argument("--loss", type=float, default=0)
p.add_argument("--duplicate", type=float, default=0)
p.add_argument("--reorder", type=float, default=0)
p.add_argument("--seed", type=int, default=1)
p.add_argument("--silent-from", type=float, default=-1)  # seconds after the first packet
p.add_argument("--silent-for", type=float, default=0)
p.add_argument("--silent-file", default="")  # silent while this file exists
p.add_argument("--lifetime", type=float, default=120)
a = p.parse_args()

rng = random.Random(a.seed)
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", 0))
print(s.getsockname()[1], flush=True)
host = ("127.0.0.1", a.host_port)
guest = None
queue = []
order = 0
first = None
start = time.monotonic()
while time.monotonic() - start < a.lifetime:
    now = time.monotonic()
    wait = 0.005 if not queue else max(0.0, min(0.005, queue[0][0] - now))
    r, _, _ = select.select([s], [], [], wait)
    now = time.monotonic()
    silent = first is not None and a.silent_from >= 0 and \
        a.silent_from <= now - first < a.silent_from + a.silent_for
    if a.silent_file and os.path.exists(a.silent_file):
        silent = True
    if r:
        data, src = s.recvfrom(4096)
        if src[0] != "127.0.0.1":
            continue
        if first is None:
            first = now
        if src == host:
            to = guest
        else:
            if guest is None:
                guest = src
            if src != guest:
                continue
            to = host
        if to is None or silent or rng.random() < a.loss:
            continue
        for _ in range(2 if rng.random() < a.duplicate else 1):
            d = a.delay + rng.uniform(-a.jitter, a.jitter)
            if rng.random() < a.reorder:
                d += rng.uniform(10, 60)
            order += 1
            heapq.heappush(queue, (now + max(0.0, d) / 1000.0, order, to, data))
    while queue and queue[0][0] <= now:
        _, _, to, data = heapq.heappop(queue)
        if not silent:
            s.sendto(data, to)
