#!/usr/bin/env bash
# Lines of the test sources against the sources they test: the library, the
# companion, the portable core, the resources and the public header.
# Generated data (fuzz seeds) is not source.
cd "$(dirname "$0")/.."
count() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.rc' -o -name '*.sh' \
          -o -name '*.txt' -o -name '*.py' -o -name '*.c' \) -not -path '*/seeds/*' -print0 | xargs -0 cat | wc -l; }
lib=$(count view field viewproc message frame control print dialog companion helio core resources tscore32.h)
tests=$(count tests)
for d in tests/*/; do printf '  %-18s %5d\n' "$d" "$(count "$d")"; done
echo "tests $tests, library $lib: $(( 100 * tests / lib ))%"
