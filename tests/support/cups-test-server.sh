#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A private CUPS scheduler for the printer tests, in the folder $1 (which it fills):
# two PDF queues whose jobs land unchanged in $1/out/<queue>.pdf, "LandscapePDF" (landscape
# by default) and "PortraitPDF" (the default printer). Clients reach it through the socket
# $1/cups.sock. Prints "ready" once the queues are set up, then runs until it is terminated,
# and takes the scheduler with it. Exits with 77 where this machine cannot run it.
# Needs root (the scheduler runs its filters as "lp") and the packages cups-daemon and
# cups-client.
set -eu
dir=$1
[ "$(id -u)" = 0 ] || { echo "the private CUPS scheduler needs root" >&2; exit 77; }
for program in /usr/sbin/cupsd /usr/sbin/lpadmin /usr/bin/lpstat /usr/lib/cups/daemon/cups-exec; do
  [ -x "$program" ] || { echo "$program is missing (cups-daemon, cups-client)" >&2; exit 77; }
done

# The filters run as "lp": they must reach the spool and the output in here.
chmod 755 "$dir"
mkdir -p "$dir/root" "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/out" \
  "$dir/ppd" "$dir/bin/filter"
chmod 755 "$dir/bin" "$dir/bin/filter" "$dir/out" "$dir/log"
ln -s /usr/lib/cups/daemon "$dir/bin/daemon"
# The one filter: hands the program's PDF on unchanged.
printf '#!/bin/sh\nif [ -n "$6" ]; then exec cat -- "$6"; else exec cat; fi\n' \
  > "$dir/bin/filter/pdfcopy"
chmod 755 "$dir/bin/filter/pdfcopy"

cat > "$dir/root/cups-files.conf" <<EOF
ServerRoot $dir/root
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ServerBin $dir/bin
DataDir /usr/share/cups
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
FileDevice Yes
User lp
Group lp
SystemGroup root
Sandboxing Relaxed
EOF
cat > "$dir/root/cupsd.conf" <<EOF
LogLevel info
Listen $dir/cups.sock
Browsing No
WebInterface No
IdleExitTimeout 0
ErrorPolicy abort-job
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
EOF

# A 300 dpi colour PDF printer, A4 with 1/4 inch side and 1/2 inch top and bottom margins.
ppd() {
  cat <<EOF
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "KVTEST.PPD"
*Manufacturer: "Kelvor"
*Product: "($1)"
*ModelName: "$1"
*ShortNickName: "$1"
*NickName: "$1"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsVersion: 2.4
*cupsFilter2: "application/pdf application/pdf 0 pdfcopy"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 36 577 806"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*OpenUI *Resolution/Resolution: PickOne
*OrderDependency: 20 AnySetup *Resolution
*DefaultResolution: 300dpi
*Resolution 300dpi/300 DPI: "<</HWResolution[300 300]>>setpagedevice"
*CloseUI: *Resolution
EOF
}
ppd "Kelvor Test PDF Landscape" > "$dir/ppd/LandscapePDF.ppd"
ppd "Kelvor Test PDF Portrait" > "$dir/ppd/PortraitPDF.ppd"

/usr/sbin/cupsd -f -c "$dir/root/cupsd.conf" -s "$dir/root/cups-files.conf" &
scheduler=$!
trap 'kill $scheduler 2>/dev/null; wait $scheduler 2>/dev/null || true' EXIT
trap 'exit 0' TERM INT
export CUPS_SERVER="$dir/cups.sock" LC_ALL=C
tries=0
until lpstat -r 2>/dev/null | grep -q 'is running'; do
  tries=$((tries + 1))
  [ $tries -lt 200 ] || { echo "cupsd does not answer" >&2; cat "$dir/log/error_log" >&2; exit 1; }
  sleep 0.05
done
for queue in LandscapePDF PortraitPDF; do
  lpadmin -p $queue -E -v "file://$dir/out/$queue.pdf" -P "$dir/ppd/$queue.ppd"
done
lpadmin -p LandscapePDF -o orientation-requested-default=4
lpadmin -d PortraitPDF
echo ready
wait $scheduler
