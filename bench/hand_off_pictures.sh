# Sourced by the benchmark scripts: writes a desktop-sized picture and two
# bolt pictures into C:\q_velk of the Wine prefix in $WINEPREFIX.
write_hand_off_pictures() {
    local folder=$WINEPREFIX/drive_c/q_velk
    mkdir -p "$folder"
    convert -size "${1:-1920x1080}" plasma:steelblue-wheat -depth 8 "BMP3:$folder/Velmoran0.bmp"
    convert -size 256x256 xc:black -fill white -draw 'rectangle 110,0 146,200' \
        "BMP3:$folder/Velmoran1.bmp"
    convert -size 256x256 xc:black -fill yellow -draw 'rectangle 118,30 140,190' \
        "BMP3:$folder/Velmoran2.bmp"
}
