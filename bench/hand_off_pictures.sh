# Sourced by the benchmark scripts: the user's hand-off folder in the Wine
# prefix in $WINEPREFIX (its local application data's Velmoran folder).
hand_off_folder() {
    local local_app_data
    local_app_data=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Local | grep -v '/users/Public/' | head -n 1)
    printf '%s/Velmoran' "$local_app_data"
}

# Writes a desktop-sized picture and two bolt pictures into that folder.
write_hand_off_pictures() {
    local folder
    folder=$(hand_off_folder)
    mkdir -p "$folder"
    convert -size "${1:-1920x1080}" plasma:steelblue-wheat -depth 8 "BMP3:$folder/Velmoran0.bmp"
    convert -size 256x256 xc:black -fill white -draw 'rectangle 110,0 146,200' \
        "BMP3:$folder/Velmoran1.bmp"
    convert -size 256x256 xc:black -fill yellow -draw 'rectangle 118,30 140,190' \
        "BMP3:$folder/Velmoran2.bmp"
}
