#!/bin/bash
# The cached shapes send GL exactly what GLU and GLUT would, and recorded model
# parts replay as they draw live (see tests/programs/shape_feedback.cpp).
source "$(dirname "$0")/lib.sh"
"$HB_BUILD/tests/shape_feedback" >"$HB_ART/shapes.txt" 2>&1 || hb_fail "$(grep -E 'DIFF|difference' "$HB_ART/shapes.txt")"
tail -1 "$HB_ART/shapes.txt"
