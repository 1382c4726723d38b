#!/bin/bash
# Runs the surface test on a private X server.
# Usage: e2e_surface.sh <surface_test>
set -u
. "$(dirname "$0")/../e2e/lib.sh"
e2e_setup ""
"$1"
