"""Generated catalogues and query forms for the tests of the tables: every kind
of line, symbols, carried values and odd bytes; forms mostly wide open."""


def generate(rng, crlf):
    """A catalogue with every kind of line, symbols, carried values and odd bytes."""
    texts = ["plain", "a, \"quoted\" & <b>", "$dollar$", "caf\xc3\xa9", "bad \xff byte", "ctl\x01", " padded "]
    symbol = lambda: rng.choice(["1e-16", "1e-20", "-1", "-0.95"])
    number = lambda lo, hi: rng.choice([f"{rng.uniform(lo, hi):.{rng.randint(0, 6)}f}", symbol()] if rng.random() < 0.2 else [f"{rng.uniform(lo, hi):.{rng.randint(0, 6)}f}"])
    out = []
    for s in range(rng.randint(1, 6)):
        out.append(f"! Q {s:04d}{rng.choice(texts)}$ J{s} {rng.choice(texts)}")
        for y in range(rng.randint(1, 4)):
            out += ["%", f"3000 - 9000 A R = {rng.randint(1000, 50000)} S/N = {rng.randint(1, 100)} $ z = {number(0, 5)} $ {rng.choice(texts)}", "%"]
            for n in range(rng.randint(1, 6)):
                kind = rng.random()
                z = f"{rng.uniform(0, 4):.6f}$" if n == 0 or rng.random() < 0.3 else "        $"
                if kind < 0.1: out.append(f"{z}DLA{{}} {100000 + rng.uniform(19, 22):.{rng.randint(0, 3)}f} {rng.choice(texts)}")
                elif kind < 0.15: out.append(f"{z}LLS: {rng.choice(texts)}")
                elif kind < 0.2: out.append(rng.choice(["1e-40", "1e-60", f"{z}CIV{{1548.2}} 1e-80 {rng.choice(texts)}"]))
                else:
                    name = rng.choice(["CIV", "MgII", "FeII", "  ", "HI"])
                    out.append(f"{z}{name}{{{number(900, 3000)}}} {number(3000, 9000)} {number(0, 0.1)} "
                               f"{rng.choice([number(0, 3), f'{100000 + rng.uniform(11, 16):.2f}'])} {number(0, 0.1)} {rng.choice(texts)}")
        out.append("_")
    out.append("#")
    return ("\r\n" if crlf else "\n").join(out).encode("latin-1") + b"\n"

def form(rng):
    """Mostly wide open, each bound narrowed now and then."""
    bound = lambda wide, narrow: round(rng.uniform(*narrow), 2) if rng.random() < 0.15 else wide
    values = [bound(0, (0, 3e4)), bound(1e5, (2e4, 5e4)), bound(0, (0, 50)), 1000, bound(0, (0, 2)), bound(10, (2, 4)),
              rng.choice(["All", "All", "All", "CIV", "FeII", "DLA"]), 0, bound(1e4, (1000, 3000)), 0,
              bound(1e4, (4000, 9000)), bound(0, (0, 0.05)), bound(5, (0.5, 3)), bound(0, (11, 14)), bound(30, (14, 22))]
    return "".join(f"v{i} ={v}\n" for i, v in enumerate(values)).encode()
