#!/usr/bin/env python3
"""Adversarial campaign against the morvane program; not part of the tests.

Generates random and mutated QDIMACS files, runs the program on them (best
built with the address and undefined-behaviour sanitizers), and checks:
- every answer on a formula the tests' reader accepts against the
  brute-force oracle (qbf_oracle_answer), and every certificate with the
  tests' checker (qbf_certificate_check);
- malformed input ends in ERROR (99) after a message, writes no
  certificate, and never crashes or trips a sanitizer;
- several files in one run give the same words as one run each, and
  --parse-only and --v behave as on one file.

usage: bench/fuzz_qbf.py [-n COUNT] [-s SEED] [-j JOBS] [-v VARIABLES] [--keep]
                         BUILD_DIR
Exit code 0 when nothing was found. The files of the findings are kept in a
folder under TMPDIR named at the end; with --keep that folder stays in any
case and also holds, for a look, up to 20 files that the program rejects
and the oracle's looser reader accepts.
"""

import os
import random
import re
import shutil
import sys
import time

import fuzz_common

# Generous: the sanitizers slow the program down a lot on long lines.
TIMEOUT = 60
# The checker's resolution steps grow with the clauses' length.
CHECK_TIMEOUT = 120


def run(command, cwd, timeout=TIMEOUT):
    return fuzz_common.run(command, cwd, timeout)


# --- generation --------------------------------------------------------

def random_prefix(r, variables):
    """A list of (kind, [variables]) blocks over a subset of variables."""
    quantified = [v for v in variables if r.random() < 0.85]
    r.shuffle(quantified) if r.random() < 0.3 else quantified.sort()
    blocks = []
    for v in quantified:
        if not blocks or r.random() < 0.35:
            kind = 'a' if r.random() < 0.45 else 'e'
            if blocks and blocks[-1][0] == kind and r.random() < 0.7:
                kind = 'e' if kind == 'a' else 'a'
            blocks.append((kind, []))
        blocks[-1][1].append(v)
    return blocks


def random_clause(r, variables):
    length = r.choice([0, 1, 1, 2, 2, 3, 3, 3, 3, 4, 4, 5, 6])
    if length == 0 and r.random() < 0.8:
        length = 3
    clause = []
    for _ in range(length):
        if clause and r.random() < 0.07:
            clause.append(r.choice(clause))
        elif clause and r.random() < 0.04:
            clause.append(-r.choice(clause))
        else:
            v = r.choice(variables)
            clause.append(v if r.random() < 0.5 else -v)
    return clause


def well_formed(r, max_variables=12):
    count = r.randint(1, max_variables)
    if r.random() < 0.15:
        # Sparse, large variable numbers.
        numbers = sorted(r.sample(range(1, 200000), count))
    else:
        numbers = list(range(1, count + 1))
    used = numbers[:] if r.random() < 0.8 else numbers[:max(1, count - 2)]
    blocks = random_prefix(r, numbers)
    clauses = [random_clause(r, used)
               for _ in range(r.randint(0, int(count * r.choice([1, 2, 4, 6])) + 1))]
    lines = []
    if r.random() < 0.5:
        lines.append('c random %d' % r.getrandbits(32))
    if r.random() < 0.9:
        top = max(numbers)
        if r.random() < 0.1:
            top = r.randint(0, top)
        lines.append('p cnf %d %d' % (top, len(clauses) if r.random() < 0.9
                                      else r.randint(0, 99)))
    for kind, vs in blocks:
        vs = vs[:]
        if r.random() < 0.05:
            vs.append(r.choice(vs))  # quantified twice in one line
        lines.append(kind + ' ' + ' '.join(map(str, vs)) + ' 0')
    if r.random() < 0.05 and blocks:
        lines.append(r.choice('ae') + ' 0')  # an empty block
    for c in clauses:
        text = ' '.join(map(str, c)) + ' 0'
        if r.random() < 0.08 and ' ' in text:
            at = r.choice([i for i, ch in enumerate(text) if ch == ' '])
            text = text[:at] + '\n' + text[at + 1:]
        if r.random() < 0.05:
            text = text.replace(' ', r.choice(['\t', '  ', ' \t ']))
        lines.append(text)
        if r.random() < 0.03:
            lines.append('c inside')
        if r.random() < 0.03:
            lines.append('')
    end = '\r\n' if r.random() < 0.05 else '\n'
    text = end.join(lines)
    if r.random() < 0.9:
        text += end
    return text


def mutate(r, text):
    data = bytearray(text.encode('latin-1'))
    for _ in range(r.randint(1, 4)):
        choice = r.randrange(11)
        at = r.randint(0, len(data))
        if choice == 0 and data:  # flip a byte
            data[min(at, len(data) - 1)] = r.randrange(256)
        elif choice == 1:  # insert a token
            token = r.choice([b' x', b' -', b' --1', b' 1.5', b' 99999999999',
                              b' -2147483648', b' 2147483647', b' 4294967296',
                              b'\x00', b' 0', b'\ne 3 0\n', b'\na 2 0\n',
                              b'\ne -1 0\n', b'\np cnf 3 3\n', b'\n%\n',
                              b' +3', b' 007', b'\n\n', b'\r', b'\x0b',
                              b'\na\n', b'\ne\n', b'\nc\n', b' \xe9',
                              b'\ne 2147483648 0\n', b'\n-0\n'])
            data[at:at] = token
        elif choice == 2 and data:  # delete a span
            data[at:at + r.randint(1, 6)] = b''
        elif choice == 3:  # truncate
            data = data[:at]
        elif choice == 4:  # repeat a line
            lines = data.split(b'\n')
            i = r.randrange(len(lines))
            lines.insert(r.randrange(len(lines) + 1), lines[i])
            data = bytearray(b'\n'.join(lines))
        elif choice == 5:  # swap two lines
            lines = data.split(b'\n')
            i, j = r.randrange(len(lines)), r.randrange(len(lines))
            lines[i], lines[j] = lines[j], lines[i]
            data = bytearray(b'\n'.join(lines))
        elif choice == 6:  # a number made negative or huge
            lines = data.split(b'\n')
            i = r.randrange(len(lines))
            words = lines[i].split(b' ')
            k = r.randrange(len(words))
            if words[k].lstrip(b'-').isdigit():
                words[k] = r.choice([b'-' + words[k], words[k] + b'000000000',
                                     b'0', words[k] + b'x'])
            lines[i] = b' '.join(words)
            data = bytearray(b'\n'.join(lines))
        elif choice == 7:  # drop the line end
            data = data.replace(b'\n', b' ', 1)
        elif choice == 8:  # an empty clause
            data[at:at] = b'\n0\n'
        elif choice == 9:  # a very long line
            data[at:at] = b' ' + b' '.join(b'1' for _ in range(r.randint(1000, 20000)))
        else:  # a letter in a clause
            data[at:at] = bytes([r.choice(b'aepcq')])
    return data.decode('latin-1')


# --- checks ------------------------------------------------------------

class Campaign(fuzz_common.Findings):
    def __init__(self, build, keep):
        self.morvane = os.path.join(build, 'qbf_solver', 'morvane')
        self.oracle = os.path.join(build, 'tests', 'qbf_solver',
                                   'qbf_oracle_answer')
        self.checker = os.path.join(build, 'tests', 'qbf_solver',
                                    'qbf_certificate_check')
        fuzz_common.require([self.morvane, self.oracle, self.checker])
        super().__init__('fuzz_qbf.', '.qdimacs', keep)

    @staticmethod
    def crashed(code, err):
        return code not in (0, 10, 20, 30, 99) or 'Sanitizer' in err or \
            'runtime error' in err

    def one(self, seed, text, mutated):
        work = self.work_folder()
        try:
            self.check(seed, text, mutated, work)
        finally:
            shutil.rmtree(work)

    def check(self, seed, text, mutated, work):
        r = random.Random(seed * 7 + 1)
        name = 'f.qdimacs'
        with open(os.path.join(work, name), 'w', encoding='latin-1',
                  newline='') as f:
            f.write(text)
        ocode, oout, _ = run([self.oracle, name], work)
        oracle = oout.strip() if ocode == 0 else (
            'malformed' if ocode == 1 else 'unknown')
        code, out, err = run([self.morvane, '--save-certificate', name], work)
        self.count('runs')
        self.count('mutated' if mutated else 'generated')
        if code == 'timeout':
            self.finding('timeout', text, 'no answer in %ds' % TIMEOUT)
            return
        if self.crashed(code, err):
            self.finding('crash', text, 'exit %s\n%s' % (code, err[-3000:]))
            return
        qbc = os.path.join(work, name + '.qbc')
        if code == 99:
            self.count('error answers')
            lines = err.splitlines()
            if len(lines) < 2 or lines[-1] != 'ERROR' or not lines[0]:
                self.finding('error without message', text, err)
            if os.path.exists(qbc):
                self.finding('certificate after error', text, err)
            if oracle in ('VALID', 'INVALID') and not mutated:
                self.finding('well-formed rejected', text, err)
            elif oracle in ('VALID', 'INVALID'):
                # Mostly text the tests' reader takes more loosely (a
                # quantifier line after the clauses, for one); kept for a
                # look when asked, not counted as a fault.
                if self.count('rejected, oracle reader accepts') <= 20:
                    self.review('rejected', text, err)
            return
        word = {10: 'VALID', 20: 'INVALID'}.get(code)
        if word is None or err.splitlines()[-1:] != [word]:
            self.finding('bad result word', text, 'exit %s\n%s' % (code, err))
            return
        self.count(word)
        if oracle == 'malformed':
            explained = self.explain(text, oout, word, work)
            if explained:
                self.count(explained)
                return
            self.finding('answer on malformed input', text, oout + err)
            return
        if oracle in ('VALID', 'INVALID') and oracle != word:
            self.finding('wrong answer', text,
                         'morvane %s, oracle %s' % (word, oracle))
            return
        if oracle == 'unknown':
            self.count('answers without oracle')
        ccode, cout, cerr = run([self.checker, name, name + '.qbc'], work,
                                CHECK_TIMEOUT)
        if ccode == 'timeout':
            self.count('certificate checks timed out')
            return
        if ccode != 0 or cout.strip() != 'accepted ' + word:
            if word == 'INVALID' and self.holds_for_text_read(text, work):
                self.count('certificate holds for the text read')
                return
            self.finding('certificate rejected', text, cout + cerr)
            return
        self.count('certificates accepted')
        # Options on the same file, now and then.
        if r.random() < 0.2:
            self.options(text, work, name, word, code, r)

    def oracle_on(self, text, work):
        with open(os.path.join(work, 'reference.qdimacs'), 'w',
                  encoding='latin-1', newline='') as f:
            f.write(text)
        code, out, _ = run([self.oracle, 'reference.qdimacs'], work)
        return out.strip() if code == 0 else (
            out.strip() if code == 1 else 'unknown')

    def explain(self, text, oracle_out, word, work):
        """Why an answer on text the oracle's reader rejects is sound, or
        None. The program stops reading once the formula is false, so an
        INVALID answer needs only the lines before the bad one."""
        lines = text.split('\n')
        if word == 'INVALID' and oracle_out.startswith('malformed: line '):
            bad = int(oracle_out.split()[2].rstrip(':'))
            if self.oracle_on('\n'.join(lines[:bad - 1]) + '\n',
                              work) == 'INVALID':
                return 'INVALID before the bad line'
            if any(line.split()[:1] == ['0'] for line in lines[:bad]):
                return 'INVALID at an empty clause before the bad text'
        # The oracle's tables stop at ten million.
        bad_word = oracle_out.strip().split("'")[1:2]
        if bad_word and re.fullmatch(r'-?[0-9]+', bad_word[0]) and \
                10000000 < abs(int(bad_word[0])) < 2 ** 31:
            return "variable beyond the oracle's range"
        return None

    def holds_for_text_read(self, text, work):
        """The program stops reading once the formula is false, so a
        quantifier line after the clauses (which it would refuse) may
        requantify a variable of its refutation for the checker."""
        lines = text.split('\n')
        clause_seen = False
        for i, line in enumerate(lines):
            words = line.split()
            if not words or words[0] in ('c', 'p'):
                continue
            if words[0] in ('e', 'a'):
                if clause_seen:
                    break
            else:
                clause_seen = True
        else:
            return False
        with open(os.path.join(work, 'read.qdimacs'), 'w',
                  encoding='latin-1', newline='') as f:
            f.write('\n'.join(lines[:i]) + '\n')
        code, out, _ = run([self.checker, 'read.qdimacs', 'f.qdimacs.qbc'],
                           work, CHECK_TIMEOUT)
        return code == 0 and out.strip() == 'accepted INVALID'

    def options(self, text, work, name, word, code, r):
        self.count('option runs')
        pcode, pout, perr = run([self.morvane, '--parse-only', name], work)
        if self.crashed(pcode, perr) or pcode not in (20, 30, 10):
            self.finding('parse-only', text, 'exit %s\n%s%s' % (pcode, pout, perr))
        elif pcode == 30 and pout != 'File parsed OK.\n':
            self.finding('parse-only words', text, pout)
        elif pcode != 30 and pcode != code:
            self.finding('parse-only answer', text, 'exit %s' % pcode)
        level = r.choice(['0', '5', '6', '9', '12'])
        flags = r.sample(['--show-progress', '--show-conflicts',
                          '--show-unifications', '--show-debug',
                          '--no-optimization'], r.randint(0, 3))
        vcode, vout, verr = run([self.morvane, '--v', level] + flags + [name],
                                work)
        if self.crashed(vcode, verr) or vcode != code:
            self.finding('options', text, ' '.join(flags) + ' --v ' + level +
                         '\nexit %s\n%s' % (vcode, verr[-3000:]))
        # Several files: the same words in order, exit code 0.
        other = 'g.qdimacs'
        with open(os.path.join(work, other), 'w') as f:
            f.write('p cnf 2 2\ne 2 0\na 1 0\n-1 2 0\n1 -2 0\n')
        mcode, mout, merr = run([self.morvane, name, other, 'missing', name],
                                work)
        expected = [word, 'INVALID', 'failed to open input file: missing',
                    'ERROR', word]
        if self.crashed(mcode, merr) or mcode != 0 or \
                merr.splitlines() != expected:
            self.finding('several files', text, 'exit %s\n%s' % (mcode, merr))
        # Nothing of an earlier file may leak into the next one's
        # certificate.
        os.remove(os.path.join(work, name + '.qbc'))
        with open(os.path.join(work, 'h.qdimacs'), 'w') as f:
            f.write(well_formed(r))
        run([self.morvane, '--save-certificate', 'h.qdimacs', other, name],
            work)
        ccode, cout, cerr = run([self.checker, name, name + '.qbc'], work,
                                CHECK_TIMEOUT)
        if ccode not in (0, 'timeout') or cout.strip() != 'accepted ' + word:
            self.finding('certificate after other files', text, cout + cerr)


def main():
    parser = fuzz_common.arguments(2000)
    parser.add_argument('-v', type=int, default=12, metavar='VARIABLES',
                        help='most variables of a generated formula '
                        '(default: 12; the oracle decides up to 20)')
    parser.add_argument('build', metavar='BUILD_DIR',
                        help='build folder holding qbf_solver/morvane and '
                        'the tests')
    args = parser.parse_args()
    campaign = Campaign(os.path.abspath(args.build), args.keep)
    start = time.time()

    def job(i):
        r = random.Random(args.s * 1000003 + i)
        text = well_formed(r, args.v)
        mutated = r.random() < 0.4
        if mutated:
            text = mutate(r, text)
        campaign.one(args.s * 1000003 + i, text, mutated)

    try:
        fuzz_common.run_jobs(args.j, args.n, job)
    finally:
        campaign.close()
    campaign.print_counts()
    print('%.0f s' % (time.time() - start))
    campaign.print_findings()
    return 1 if campaign.findings else 0


if __name__ == '__main__':
    sys.exit(main())
