"""What the fuzz campaigns share: the common options, the programs a
campaign needs, running a program with a time limit, counting and keeping
findings in the campaign's folder, and the job pool."""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import threading
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


def require(programs):
    """Ends the campaign with one line naming the first of programs that
    is missing."""
    for program in programs:
        if not (os.path.isfile(program) and os.access(program, os.X_OK)):
            sys.exit('%s: no program %s' %
                     (os.path.basename(sys.argv[0]), program))


class Findings:
    """Counts what a campaign sees and keeps each finding's input as
    finding<n><suffix> in a folder under TMPDIR (prefix names it), which
    also holds the runs' working folders. With keep, inputs that are no
    fault but worth a look are kept too, as review<n><suffix>. close()
    removes the folder unless it holds a finding or keep is set."""

    def __init__(self, prefix, suffix, keep):
        self.folder = tempfile.mkdtemp(prefix=prefix)
        self.suffix = suffix
        self.keep = keep
        self.findings = []
        self.reviews = []
        self.counts = {}
        self.lock = threading.Lock()

    def count(self, key):
        with self.lock:
            self.counts[key] = self.counts.get(key, 0) + 1
            return self.counts[key]

    def work_folder(self):
        """A fresh working folder in the campaign's folder."""
        return tempfile.mkdtemp(dir=self.folder)

    def keep_text(self, entries, name, kind, text, detail):
        with self.lock:
            path = os.path.join(self.folder, '%s%04d%s' % (
                name, len(entries), self.suffix))
            entries.append((kind, path, detail))
        with open(path, 'w', encoding='latin-1', newline='') as f:
            f.write(text)

    def finding(self, kind, text, detail):
        """A fault: counted, its input kept."""
        self.count('finding ' + kind)
        self.keep_text(self.findings, 'finding', kind, text, detail)

    def failed_in(self, kind, work, detail):
        """A fault seen in a working folder of the campaign, which stays."""
        self.count('finding ' + kind)
        with self.lock:
            self.findings.append((kind, work, detail))

    def review(self, kind, text, detail):
        """Not a fault, but worth a look: its input kept when asked."""
        if self.keep:
            self.keep_text(self.reviews, 'review', 'review: ' + kind, text,
                           detail)

    def print_counts(self):
        for key in sorted(self.counts):
            print('%-40s %d' % (key, self.counts[key]))

    def print_findings(self):
        for kind, path, detail in (self.findings + self.reviews)[:40]:
            print('== %s: %s\n%s' % (kind, path, detail.strip()[:600]))
        if self.findings:
            print('findings in', self.folder)
        elif self.keep:
            print('files kept in', self.folder)

    def close(self):
        if not self.findings and not self.keep:
            shutil.rmtree(self.folder, ignore_errors=True)


def arguments(count):
    """A parser with the options every campaign takes: -n (runs, count by
    default), -s (seed), -j (jobs at once, one per processor by default)
    and --keep."""
    parser = argparse.ArgumentParser()
    parser.add_argument('-n', type=int, default=count, metavar='COUNT',
                        help='files to try (default: %d)' % count)
    parser.add_argument('-s', type=int, default=1, metavar='SEED',
                        help='seed (default: 1)')
    parser.add_argument('-j', type=int, default=os.cpu_count(), metavar='JOBS',
                        help='jobs at once (default: the number of '
                        'processors, %d here)' % os.cpu_count())
    parser.add_argument('--keep', action='store_true',
                        help='keep the campaign folder under TMPDIR with '
                        'the files kept for a look, even when nothing is '
                        'found')
    return parser


def run_jobs(jobs, count, job):
    """job(i) for i below count, jobs at once."""
    with ThreadPoolExecutor(jobs) as pool:
        list(pool.map(job, range(count)))
