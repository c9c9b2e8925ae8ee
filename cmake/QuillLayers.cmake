# The layers, lowest first, and what each one stands on. The build adds the
# folders in this order and cmake/CheckLayers.cmake holds every include to it,
# so a new layer is named here once.
#
#   common <- signal <- analysis, image
#   common <- audio
#   common, signal, image <- gui
#   everything <- app
set(QUILL_LAYERS common signal analysis image audio gui app)
set(QUILL_LAYER_USES_common "")
set(QUILL_LAYER_USES_signal common)
set(QUILL_LAYER_USES_analysis common signal)
set(QUILL_LAYER_USES_image common signal)
set(QUILL_LAYER_USES_audio common)
set(QUILL_LAYER_USES_gui common signal image)
set(QUILL_LAYER_USES_app common signal analysis image audio gui)

# Folders inside a layer may be ordered too: a folder given a list here stands
# only on the folders it names and on the files at its layer's root; a folder
# without a list stands on all of its layer. In gui: graphics <- skin <- window,
# controls (which use each other). In app the views and the dialogs stand on
# the root files alone; only the main window brings them together.
set(QUILL_FOLDER_USES_gui_graphics "")
set(QUILL_FOLDER_USES_gui_skin graphics)
set(QUILL_FOLDER_USES_app_views "")
set(QUILL_FOLDER_USES_app_dialogs "")
