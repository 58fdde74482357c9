#!/usr/bin/env python3
"""Adversarial campaign against the three SAT engines' DIMACS drivers; not
part of the tests. Best run on a build with the address and
undefined-behaviour sanitizers.

Generates DIMACS files of many shapes (empty formulas, empty clauses,
units, repeated and complementary literals, unused and far-apart variable
numbers, near-threshold random 3-SAT of 20 to 80 variables) and mutated,
malformed ones, runs groupsat_cnf, proofsat_cnf (with and without --proof)
and coresat_cnf on each, and checks that no run crashes or trips a
sanitizer, that the answers agree with each other and, on small formulas,
with a search written here. The drivers check their own models (exit 99
when one leaves a clause false). Then runs sat_fuzz, which drives the
engines' propositional adapters in process.

usage: bench/fuzz_sat.py [-n COUNT] [-s SEED] [-j JOBS] [--adapter-rounds N]
                         [--keep] BUILD_DIR
Exit code 0 when nothing was found. The files of the findings, and
sat_fuzz's working folder (adapters/, with the trace files the engines
write) when sat_fuzz fails, are kept in a folder under TMPDIR named at the
end; with --keep that folder and adapters/ stay in any case.
"""

import os
import random
import re
import shutil
import subprocess
import sys
import time

import fuzz_common

TIMEOUT = 120
HUGE = 3000000


def satisfiable(clauses):
    """A plain search with unit propagation, written apart from the
    engines."""
    def search(clauses):
        while True:
            if any(not c for c in clauses):
                return False
            unit = next((c[0] for c in clauses if len(c) == 1), None)
            if unit is None:
                break
            clauses = [[l for l in c if l != -unit]
                       for c in clauses if unit not in c]
        if not clauses:
            return True
        v = clauses[0][0]
        for l in (v, -v):
            if search([[k for k in c if k != -l]
                       for c in clauses if l not in c]):
                return True
        return False
    return search([sorted(set(c)) for c in clauses
                   if not any(-l in c for l in c)])


def generate(r):
    """DIMACS text and its clauses (None when too large to decide here)."""
    shape = r.randrange(10)
    if shape < 6:
        n = r.randint(0, 14)
        offset = r.choice([0, 0, 0, 1000, 99999, 2000000])
        clauses = []
        for _ in range(r.randint(0, 5 * n + 3)):
            width = r.choice([0, 1, 1, 2, 2, 3, 3, 3, 4, 5, 8]) if n else 0
            c = []
            for _ in range(width):
                if c and r.random() < 0.08:
                    c.append(r.choice(c))
                elif c and r.random() < 0.05:
                    c.append(-r.choice(c))
                else:
                    v = r.randint(1, n)
                    v = v + offset if v > 1 else v
                    c.append(v if r.random() < 0.5 else -v)
            clauses.append(c)
        decide = True
    else:
        n = r.randint(20, 80)
        m = int(n * r.uniform(3.8, 4.6))
        clauses = []
        for _ in range(m):
            vs = r.sample(range(1, n + 1), 3)
            clauses.append([v if r.random() < 0.5 else -v for v in vs])
        decide = False
    top = max([abs(l) for c in clauses for l in c], default=0)
    lines = []
    if r.random() < 0.5:
        lines.append('c generated')
    if r.random() < 0.9:
        lines.append('p cnf %d %d' % (top + r.choice([0, 0, 5]), len(clauses)))
    for c in clauses:
        lines.append(' '.join(map(str, c + [0])))
    return '\n'.join(lines) + '\n', (clauses if decide else None)


def mutate(r, text):
    data = bytearray(text.encode('latin-1'))
    for _ in range(r.randint(1, 4)):
        at = r.randint(0, len(data))
        choice = r.randrange(6)
        if choice == 0 and data:
            data[min(at, len(data) - 1)] = r.randrange(256)
        elif choice == 1:
            data[at:at] = r.choice([
                b' x', b' -', b' 1.5', b' 99999999999', b' -2147483648',
                b' 2147483647', b' 4294967296', b'\x00', b' 0', b'\np cnf\n',
                b'\nc\n', b'%', b' +3', b' -0', b'\r', b' 1e3', b'\n\n'])
        elif choice == 2 and data:
            data[at:at + r.randint(1, 6)] = b''
        elif choice == 3:
            data = data[:at]
        elif choice == 4:
            data[at:at] = b'\n0\n'
        else:
            data[at:at] = bytes([r.choice(b'apcxe-')])
    return data.decode('latin-1')


class Campaign(fuzz_common.Findings):
    def __init__(self, build, keep):
        sat = os.path.join(build, 'tests', 'sat')
        self.drivers = [
            ('groupsat', [os.path.join(sat, 'groupsat', 'groupsat_cnf')]),
            ('proofsat', [os.path.join(sat, 'proofsat', 'proofsat_cnf')]),
            ('proofsat --proof', [os.path.join(sat, 'proofsat',
                                               'proofsat_cnf'), '--proof']),
            ('coresat', [os.path.join(sat, 'coresat', 'coresat_cnf')]),
        ]
        self.adapters = os.path.join(sat, 'sat_fuzz')
        fuzz_common.require([command[0] for _, command in self.drivers] +
                            [self.adapters])
        super().__init__('fuzz_sat.', '.cnf', keep)

    def one(self, text, clauses, mutated):
        # The engines keep dense tables up to the highest variable number:
        # a mutation that makes one of a hundred million is a test of the
        # machine's memory, not of the engines (the drivers answer "out of
        # memory" where the allocation fails at once).
        # (Numbers past the variable range read as 0.)
        if any(HUGE <= int(n) < 2 ** 31 - 1
               for n in re.findall(r'[0-9]+', text) if len(n) < 12):
            self.count('skipped: huge variable number')
            return
        work = self.work_folder()
        try:
            with open(os.path.join(work, 'f.cnf'), 'w', encoding='latin-1',
                      newline='') as f:
                f.write(text)
            answers = {}
            for name, command in self.drivers:
                code, out, err = fuzz_common.run(command + ['f.cnf'], work,
                                                TIMEOUT)
                self.count('runs')
                if code == 'timeout':
                    self.finding('timeout', text, name)
                    return
                if code not in (10, 20, 99) or 'Sanitizer' in err or \
                        'runtime error' in err:
                    self.finding('crash', text, '%s: exit %s\n%s' %
                                 (name, code, err[-2000:]))
                    return
                if code == 99:
                    self.finding('error answer', text, name + ': ' +
                                 err[-500:])
                    return
                answers[name] = code
            self.count('files mutated' if mutated else 'files generated')
            if len(set(answers.values())) != 1:
                self.finding('engines disagree', text, repr(answers))
                return
            answer = next(iter(answers.values()))
            self.count('satisfiable' if answer == 10 else 'unsatisfiable')
            if clauses is not None:
                self.count('checked by search')
                if (answer == 10) != satisfiable(clauses):
                    self.finding('wrong answer', text, repr(answers))
        finally:
            shutil.rmtree(work)


def main():
    parser = fuzz_common.arguments(1000)
    parser.add_argument('--adapter-rounds', type=int, default=1000,
                        metavar='N', help='rounds of sat_fuzz (default: '
                        '1000)')
    parser.add_argument('build', metavar='BUILD_DIR',
                        help='build folder holding the tests')
    args = parser.parse_args()
    campaign = Campaign(os.path.abspath(args.build), args.keep)
    start = time.time()

    def job(i):
        r = random.Random(args.s * 1000003 + i)
        text, clauses = generate(r)
        mutated = r.random() < 0.3
        if mutated:
            # The drivers' reader is loose on purpose: a mutated file is
            # judged by the engines' agreement only.
            text, clauses = mutate(r, text), None
        campaign.one(text, clauses, mutated)

    try:
        fuzz_common.run_jobs(args.j, args.n, job)
        campaign.print_counts()
        print('drivers: %.0f s' % (time.time() - start))
        # The engines write their trace files into the working folder.
        work = os.path.join(campaign.folder, 'adapters')
        os.mkdir(work)
        adapters = subprocess.run(
            [campaign.adapters, str(args.adapter_rounds), str(args.s)],
            cwd=work, capture_output=True)
        if adapters.returncode != 0:
            campaign.failed_in('sat_fuzz', work,
                               'exit %d' % adapters.returncode)
        elif not campaign.keep:
            shutil.rmtree(work)
    finally:
        campaign.close()
    report = [line for line in adapters.stdout.decode('latin-1').splitlines()
              if ':' in line and 'preprocess' not in line]
    print('adapters (sat_fuzz): exit %d' % adapters.returncode)
    print('\n'.join(report[-30:]))
    campaign.print_findings()
    return 1 if campaign.findings else 0


if __name__ == '__main__':
    sys.exit(main())
