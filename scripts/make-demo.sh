#!/usr/bin/env bash
# Lays out a ready demo installation: the program with its settings in upload mode, the directories the
# settings name and a local page as the upload address. Usage: make-demo.sh BIN_DIR DEMO_DIR
# The login of the demo: any user name, password LM01 (LM01NOMODCHK switches the modulo check off).
set -euo pipefail
bin=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
# The installation itself: the programs, "out" with "Nofile" and the tools linked in, "out/zaloha", "pracovni".
bash "$root/dist/ndlemo-setup" --from "$bin" --desktop-entry none "$2" >/dev/null
demo=$(cd "$2" && pwd)
mkdir -p "$demo/davky" "$demo/odeslane" "$demo/upload" "$demo/web"
cat > "$demo/web/upload.html" <<'HTML'
<!DOCTYPE html>
<html lang="cs"><head><meta charset="utf-8"><title>Upload Lemo (demo)</title></head>
<body><h1>Upload Lemo</h1><p>Ukázková stránka pro předání balíčků pojišťovně.</p></body></html>
HTML
if [ ! -f "$demo/NdLemo.ini" ]; then
    # The settings files are Windows-1250 with CR LF lines.
    printf '%s\r\n' \
        "[General]" \
        "Pracoviste=LM01" \
        "DirDavky=$demo/davky" \
        "DirOdeslane=$demo/odeslane" \
        "IntSplatnosti=30" \
        "DefaultICZ=12345678" \
        "DefaultICO=87654321" \
        "DefaultCisloUctu=123456789" \
        "DefaultKodBanky=0100" \
        "TypPrenosu=UPLOAD" \
        "[UploadLemo]" \
        "Adresa=file://$demo/web/upload.html" \
        "OutDir=$demo/upload" \
        "[FakturaInfo]" \
        "DefaultGenerovat=A" \
        "DefaultOdbICO=47114983" \
        "DefaultOdbNazev=Lemo, zdravotní pojišťovna" \
        "DefaultOdbUlice=Pojišťovací 5" \
        "DefaultOdbPsc=13000" \
        "DefaultOdbObec=Praha" \
        "DefaultDodNazev=Ambulance Demo s.r.o." \
        "DefaultDodUlice=Nemocniční 12" \
        "DefaultDodPsc=60200" \
        "DefaultDodObec=Brno" | iconv -f UTF-8 -t CP1250 > "$demo/NdLemo.ini"
fi
# The SCP transfer: a key file of the demo's own (SCP mode needs a server that knows it).
if [ ! -f "$demo/NdLemoPrenos.ini" ]; then
    printf '%s\r\n' \
        "[Prenos]" \
        "Host=127.0.0.1" \
        "Port=22" \
        "OutDir=/srv/lemo/in" \
        "User=lemo" \
        "Pkf=lemo.ppk" \
        "TestSpojDir=/srv/lemo/test" \
        "TestSpojFileName=test.txt" > "$demo/NdLemoPrenos.ini"
fi
if [ ! -f "$demo/out/lemo.ppk" ] && command -v puttygen >/dev/null; then
    puttygen -q -t ed25519 -C "ND LEMO demo" -o "$demo/out/lemo.ppk" --new-passphrase /dev/null
fi
# Sample batch files of the demo's IČZ, made by the project's own generator: valid, in code page 852. Their
# seeds end in different digits, so that the files can be checked together without duplicate batches.
if [ -x "$bin/gen_batches" ]; then
    [ -f "$demo/davky/demo.txt" ] || "$bin/gen_batches" "$demo/davky/demo.txt" 200 12345678 1 >/dev/null 2>&1 || true
    seed=2
    for sample in leden.333 unor.111 brezen.csv; do
        [ -f "$demo/davky/$sample" ] || "$bin/gen_batches" "$demo/davky/$sample" 40 12345678 "$seed" 4 >/dev/null 2>&1 || true
        seed=$((seed + 1))
    done
fi
echo "Demo installation in $demo (login: any user, password LM01)"
