#!/usr/bin/python3
"""Soak and load of catalix-cgi behind its web server.

  load.py URL SECONDS CLIENTS SERVER_PID PROGRAM QUERY...

CLIENTS threads send requests to URL/catalix-cgi for SECONDS, each of a kind
drawn by weight: each QUERY (a form's query string) as a page by GET and by
POST; the first as VOTable, as CSV, by HEAD and by GET with its ETag in
If-None-Match (a 304); the names; and the last QUERY read in part and the
connection reset (cut).  Every completed answer must have the status and the
bytes (SHA-256) that the same request had sent alone before the load.  Prints
requests per second and the 50th and 99th percentile of the time to the
answer's last byte, per kind.  The load runs in two parts, a fifth and the
rest, and the server (SERVER_PID), idle after each, must hold no more open
descriptors after the second than after the first and at most 8 MiB more
resident memory; no PROGRAM process may be left.  Exit status 1 on a fault.
"""
import hashlib
import http.client
import math
import os
import random
import socket
import struct
import sys
import threading
import time
import urllib.parse

RSS_SLACK_KIB = 8 * 1024
WEIGHTS = {"page": 4, "post": 2, "votable": 1, "csv": 1, "names": 1, "head": 2, "conditional": 2, "cut": 2}

base = urllib.parse.urlsplit(sys.argv[1])
seconds, clients, server = float(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
program, queries = os.path.realpath(sys.argv[5]), sys.argv[6:]
cgi = base.path.rstrip("/") + "/catalix-cgi"
faults, latencies, lock = [], {kind: [] for kind in WEIGHTS}, threading.Lock()


def send(method, target, body=None, headers=None, cut=None):
    """(status, ETag, SHA-256 of the body) of a request on a connection of its
    own; with `cut`, reads that many bytes of the answer and resets instead."""
    connection = http.client.HTTPConnection(base.hostname, base.port, timeout=300)
    try:
        connection.connect()
        sock = connection.sock
        headers = dict(headers or {})
        if body is not None:
            headers["Content-Type"] = "application/x-www-form-urlencoded"
        connection.request(method, target, body=body, headers=headers)
        answer = connection.getresponse()
        if cut is not None:
            answer.read(cut)
            sock.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            answer.close()
            sock.close()
            return None
        return answer.status, answer.getheader("ETag"), hashlib.sha256(answer.read()).hexdigest()
    finally:
        connection.close()


def requests():
    """The requests of each kind, as (kind, method, target, body, headers)."""
    first = queries[0]
    made = [("page", "GET", cgi + "?" + q, None, None) for q in queries]
    made += [("post", "POST", cgi, q.encode(), None) for q in queries]
    made += [("votable", "GET", cgi + "?" + first + "&format=votable", None, None),
             ("csv", "GET", cgi + "?" + first + "&format=csv", None, None),
             ("names", "GET", cgi + "?names", None, None),
             ("head", "HEAD", cgi + "?" + first, None, None)]
    etag = send("GET", cgi + "?" + first)[1]
    made.append(("conditional", "GET", cgi + "?" + first, None, {"If-None-Match": etag}))
    return made


def expect_alone(made):
    """What each request gets when it is sent alone."""
    expected = {}
    for kind, method, target, body, headers in made:
        expected[(method, target, body, str(headers))] = got = send(method, target, body, headers)
        status = {"conditional": 304}.get(kind, 200)
        empty = hashlib.sha256(b"").hexdigest()
        if got[0] != status or (got[2] == empty) != (kind in ("head", "conditional")):
            faults.append("%s alone: status %d, body %s" % (kind, got[0], got[2]))
    return expected


def client(number, until, made, expected):
    draw = random.Random(number)
    by_kind = {kind: [r for r in made if r[0] == kind] for kind in WEIGHTS}
    by_kind["cut"] = [r for r in made if r[0] == "page" and r[2].endswith(queries[-1])]
    kinds = list(WEIGHTS)
    while time.monotonic() < until:
        kind = draw.choices(kinds, [WEIGHTS[k] for k in kinds])[0]
        _, method, target, body, headers = draw.choice(by_kind[kind])
        start = time.monotonic()
        try:
            got = send(method, target, body, headers, draw.randrange(1, 1 << 20) if kind == "cut" else None)
            fault = got is not None and got != expected[(method, target, body, str(headers))]
        except (OSError, http.client.HTTPException) as error:
            got, fault = error, True
        with lock:
            latencies[kind].append(time.monotonic() - start)
            if fault:
                faults.append("%s %s %s: %s" % (kind, method, target, got))


def load(part, made, expected):
    until = time.monotonic() + part
    threads = [threading.Thread(target=client, args=(n, until, made, expected)) for n in range(clients)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()


def programs_left(wait):
    """The PROGRAM processes still there after up to `wait` seconds."""
    for _ in range(int(wait * 10) + 1):
        left = []
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                if os.readlink("/proc/%s/exe" % pid) == program:
                    left.append(pid)
            except OSError:
                pass
        if not left:
            return left
        time.sleep(0.1)
    return left


def server_use():
    """The server's open descriptors and resident KiB, once it is idle."""
    programs_left(10)
    time.sleep(0.5)
    rss = [line for line in open("/proc/%s/status" % server) if line.startswith("VmRSS:")][0]
    return len(os.listdir("/proc/%s/fd" % server)), int(rss.split()[1])


def report(spent):
    print("%-12s %7s %8s %8s %8s" % ("kind", "answers", "req/s", "p50_ms", "p99_ms"))
    for kind, times in latencies.items():
        times.sort()
        rank = lambda p: 1000 * times[max(0, math.ceil(p * len(times)) - 1)]  # nearest rank
        if times:
            print("%-12s %7d %8.2f %8.0f %8.0f" % (kind, len(times), len(times) / spent, rank(0.5), rank(0.99)))
    total = sum(len(times) for times in latencies.values())
    print("%-12s %7d %8.2f   (%d clients, %.0f s)" % ("all", total, total / spent, clients, spent))


def main():
    made = requests()
    expected = expect_alone(made)
    start = time.monotonic()
    load(seconds / 5, made, expected)
    spent = time.monotonic() - start
    early = server_use()
    start = time.monotonic()
    load(seconds - seconds / 5, made, expected)
    spent += time.monotonic() - start
    late = server_use()
    report(spent)
    print("server: %d descriptors and %d KiB resident after a fifth, %d and %d KiB at the end" % (early + late))
    if late[0] > early[0] or late[1] > early[1] + RSS_SLACK_KIB:
        faults.append("the server grew: %s to %s" % (early, late))
    if programs_left(10):
        faults.append("catalix-cgi still running: %s" % programs_left(0))
    for fault in faults[:20]:
        print("FAIL:", fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
