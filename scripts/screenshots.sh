#!/bin/sh
# Photographs the control and menu scenes (tools/shots) under Xvfb with a small window
# manager, as a user of this desktop sees it. PNGs go to the folder given
# (default: build/shots). Needs xvfb, openbox and ImageMagick (import grabs the
# screen's pixels as shown, windows with their own colormap included).
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$here/build}
out=${1:-$build/shots}
mkdir -p "$out"
cmake --build "$build" --target mivo_shots mivo_shot_mdi mivo_docking_shots mivo_menu_shots mivo_shots_commctrl mivo_bars_shots
cmake --build "$build" --target mivo_vxmenu_shots
cmake --build "$build" --target mivo_vxcontrols_shots
cmake --build "$build" --target mivo_shot_folderbrowser
cmake --build "$build" --target mivo_shot_dirtree
cmake --build "$build" --target mivo_grid_shots
cmake --build "$build" --target mivo_options_shots
cmake --build "$build" --target mivo_image_shots
cmake --build "$build" --target mivo_transfer_shots
cmake --build "$build" --target mivo_outbar_shots
cmake --build "$build" --target mivo_framebars_shots
cmake --build "$build" --target mivo_pickers_shots
cmake --build "$build" --target mivo_dialogs_shots
cmake --build "$build" --target mivo_toolbar_shots
cmake --build "$build" --target mivo_richedit_shots
cmake --build "$build" --target mivo_reportlist_shots
cmake --build "$build" --target mivo_kestrune_shots
cmake --build "$build" --target mivo_lumaret_shots
cmake --build "$build" --target mivo_editor_shots
cmake --build "$build" --target mivo_editor_dialog_shots
cmake --build "$build" --target mivo_album_shots
cmake --build "$build" --target mivo_console_shots
cmake --build "$build" --target mivo_browser_shots
cmake --build "$build" --target mivo_slideshow_shots
cmake --build "$build" --target mivo_templates_shots
cmake --build "$build" --target mivo_calendar_shots
cmake --build "$build" --target mivo_printing_shots
cmake --build "$build" --target mivo_batch_shots
cmake --build "$build" --target mivo_periphery_shots
cat > "$out/shoot.sh" <<SHOT
#!/bin/sh
${IMPORT:-/usr/bin/import} -window root png:"$out/\$1.png"
SHOT
chmod +x "$out/shoot.sh"
# Scanners: only SANE's own test device, never the machine's network backends.
mkdir -p "$out/sane" && echo test > "$out/sane/dll.conf"
xvfb-run -a -s "-screen 0 800x600x24" sh -c "
  openbox >/dev/null 2>&1 &
  sleep 1
  export QT_QPA_PLATFORM=xcb MIVO_SHOT_FOLDER='$out' MIVO_SHOT_COMMAND='$out/shoot.sh'
  '$build/tools/shots/mivo_shots'
  '$build/tools/shots/mivo_shot_mdi'
  '$build/tools/shots/mivo_docking_shots'
  '$build/tools/shots/mivo_menu_shots'
  '$build/tools/shots/mivo_shots_commctrl'
  '$build/tools/shots/mivo_bars_shots'
  '$build/tools/shots/mivo_vxmenu_shots'
  '$build/tools/shots/mivo_vxcontrols_shots'
  '$build/tools/shots/mivo_shot_folderbrowser'
  '$build/tools/shots/mivo_shot_dirtree'
  '$build/tools/shots/mivo_grid_shots'
  '$build/tools/shots/mivo_options_shots'
  SANE_CONFIG_DIR='$out/sane' '$build/tools/shots/mivo_image_shots'
  '$build/tools/shots/mivo_transfer_shots'
  '$build/tools/shots/mivo_outbar_shots'
  '$build/tools/shots/mivo_framebars_shots'
  '$build/tools/shots/mivo_pickers_shots'
  '$build/tools/shots/mivo_dialogs_shots'
  '$build/tools/shots/mivo_toolbar_shots'
  '$build/tools/shots/mivo_richedit_shots'
  '$build/tools/shots/mivo_reportlist_shots'
  '$build/tools/shots/mivo_kestrune_shots'
  '$build/tools/shots/mivo_lumaret_shots'
  '$build/tools/shots/mivo_editor_shots'
  '$build/tools/shots/mivo_editor_dialog_shots'
  '$build/tools/shots/mivo_album_shots'
  '$build/tools/shots/mivo_console_shots'
  '$build/tools/shots/mivo_browser_shots'
  '$build/tools/shots/mivo_slideshow_shots'
  '$build/tools/shots/mivo_templates_shots'
  '$build/tools/shots/mivo_calendar_shots'
  '$build/tools/shots/mivo_printing_shots'
  '$build/tools/shots/mivo_batch_shots'
  '$build/tools/shots/mivo_periphery_shots'
"
for ppm in "$out"/*.ppm; do
  [ -e "$ppm" ] && ${CONVERT:-/usr/bin/convert} "$ppm" "${ppm%.ppm}.png" && rm -f "$ppm"
done
ls "$out"/*.png
