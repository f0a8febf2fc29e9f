# Which folders of src/ a folder may include from. The order runs from the bottom layer up; a
# folder never reaches above itself, so the folders cannot include each other in a cycle.
set(PAWLET_FOLDER_DEPENDS_base "")
set(PAWLET_FOLDER_DEPENDS_assets "")
set(PAWLET_FOLDER_DEPENDS_formats base)
set(PAWLET_FOLDER_DEPENDS_winkit base)
# The mixer and the skin painter are portable; the sound player feeds a winkit wave-out stream
# from a thread.
set(PAWLET_FOLDER_DEPENDS_media base formats winkit)
# Sound cues read a WAV file and hand its samples to the player.
set(PAWLET_FOLDER_DEPENDS_pet base formats media winkit)
set(PAWLET_FOLDER_DEPENDS_input base pet)
set(PAWLET_FOLDER_DEPENDS_shell base assets formats media winkit pet input)

# Headers that only Win32 code (files named *_win.*) may include.
set(PAWLET_WINDOWS_HEADERS windows windowsx shellapi mmsystem commctrl winuser wingdi winbase)
