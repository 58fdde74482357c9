"""What the fuzz campaigns share: running a program with a time limit,
counting and keeping findings, the common options and the job pool."""

import argparse
import os
import subprocess
from concurrent.futures import ThreadPoolExecutor


def run(command, cwd, timeout):
    """The exit code, standard output and standard error of command, or
    ('timeout', '', '') when it runs past timeout seconds."""
    try:
        p = subprocess.run(command, cwd=cwd, capture_output=True,
                           timeout=timeout)
        return p.returncode, p.stdout.decode('latin-1'), \
            p.stderr.decode('latin-1')
    except subprocess.TimeoutExpired:
        return 'timeout', '', ''


class Findings:
    """Counts what a campaign sees and keeps each finding's input as
    finding<n><suffix> in folder."""

    def __init__(self, folder, suffix):
        self.folder = folder
        self.suffix = suffix
        self.findings = []
        self.counts = {}

    def count(self, key):
        self.counts[key] = self.counts.get(key, 0) + 1

    def finding(self, kind, text, detail):
        self.count('finding ' + kind)
        path = os.path.join(self.folder, 'finding%04d%s' %
                            (len(self.findings), self.suffix))
        with open(path, 'w', encoding='latin-1', newline='') as f:
            f.write(text)
        self.findings.append((kind, path, detail))

    def print_counts(self):
        for key in sorted(self.counts):
            print('%-40s %d' % (key, self.counts[key]))

    def print_findings(self):
        for kind, path, detail in self.findings[:40]:
            print('== %s: %s\n%s' % (kind, path, detail.strip()[:600]))
        print('findings in', self.folder)


def arguments(count):
    """A parser with the options every campaign takes: -n (runs, count by
    default), -s (seed) and -j (jobs at once)."""
    parser = argparse.ArgumentParser()
    parser.add_argument('-n', type=int, default=count)
    parser.add_argument('-s', type=int, default=1)
    parser.add_argument('-j', type=int, default=os.cpu_count())
    return parser


def run_jobs(jobs, count, job):
    """job(i) for i below count, jobs at once."""
    with ThreadPoolExecutor(jobs) as pool:
        list(pool.map(job, range(count)))
