#!/usr/bin/env python3
# Receives a service's notify datagrams on a socket of its own and writes one line per datagram.
"""usage: notify_listener.py SOCKET_PATH OUTPUT

The socket exists once SOCKET_PATH is there; each datagram's line breaks become "|".
Runs until it is killed."""
import socket
import sys


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    receiver = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
    receiver.bind(argv[1])
    with open(argv[2], "a", encoding="utf-8") as output:
        while True:
            datagram = receiver.recv(4096)
            output.write(datagram.decode("utf-8", "replace").replace("\n", "|") + "\n")
            output.flush()


if __name__ == "__main__":
    sys.exit(main(sys.argv))
