#!/usr/bin/env bash
# The card's sound on PipeWire, as most desktops now have it.
MUREL_SOUND_SERVER=pipewire exec "$(dirname "$0")/sound.sh" "$@"
