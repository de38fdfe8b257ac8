#!/usr/bin/env bash
# The health of the disks of today, in Sektra /DEMO: the SATA flash disk's IDENTIFY block and
# SMART attributes decoded above their dumps, the NVMe disk's health log, and both disks'
# summaries with the first-read fields of those sources.
source "$(dirname "$0")/lib.sh"
journey_init sektra_health
journey_copy_programs "$J/bin"
cp "$JOURNEY_BUILD/test/windows/testwindows/demo_probe.exe" "$J/"
journey_settings

probe() { (cd "$J" && "$SEKTRA_WINE" ./demo_probe.exe "$@") 2>>"$J/wine.log" | tr -d '\r'; }

main_title=$(journey_caption IDD_MAIN_FRAME)
# Disk 8 is the SATA flash disk (bus type 11), disk 9 the NVMe disk (17, coded as 15).
sata_summary=0x1B080000
nvme_summary=0x1F090000
sata_identify=0x1B082300
sata_smart=0x1B086100
nvme_health=0x1F097300

journey_start "$J/bin/Sektra.exe" /DEMO
sektra=$JOURNEY_PID
main=$(journey_wait_window "^$main_title\$" 120)
journey_check "the main window appears" test -n "$main"
[ -n "$main" ] || journey_finish

# shown NODE COUNT: selects the node and prints the list's first COUNT rows.
shown() {
  probe select "$main_title" "$1" || return 1
  sleep 1
  probe rows "$main_title" 3 | sed -n "1,$2p"
}

rows=$(shown $sata_summary 40)
journey_log "SATA summary: $(tr '\n' '|' <<<"$rows")"
journey_check "the SATA disk's summary shows IDENTIFY's serial number" \
  grep -q "^$(journey_resource_string IDS_FIELD_SERIAL)	" <<<"$rows"
journey_check "and SMART's temperature" grep -q "^$(journey_resource_string IDS_FIELD_TEMPERATURE)	38 °C" <<<"$rows"
journey_window_shot "$main" sata-summary.png

rows=$(shown $nvme_summary 40)
journey_log "NVMe summary: $(tr '\n' '|' <<<"$rows")"
journey_check "the NVMe disk's summary shows the health log's percentage used" \
  grep -q "^$(journey_resource_string IDS_NVME_PERCENTAGE_USED)	3 %" <<<"$rows"
journey_window_shot "$main" nvme-summary.png

rows=$(shown $sata_identify 20)
journey_log "SATA IDENTIFY: $(tr '\n' '|' <<<"$rows")"
journey_check "the SATA disk's IDENTIFY begins with its decoded model" \
  grep -q "^$(journey_resource_string IDS_FIELD_MODEL)	SEKTRA DEMO SATA SSD 256GB" <<<"$rows"
journey_check "it shows the 4096-byte physical sectors" \
  grep -q "^$(journey_resource_string IDS_FIELD_PHYSICAL_SECTOR)	4096 バイト" <<<"$rows"
journey_check "and the dump after the decoded rows" grep -q "^$(journey_resource_string IDS_TREE_ATA_IDENTIFY)	" <<<"$rows"
journey_window_shot "$main" sata-identify.png

rows=$(shown $sata_smart 14)
journey_log "SATA SMART: $(tr '\n' '|' <<<"$rows")"
journey_check "the SMART attributes show the temperature in degrees" \
  grep -q "^$(journey_resource_string IDS_FIELD_TEMPERATURE)	38 °C	ID 194" <<<"$rows"
journey_check "and the power-on hours" grep -q "^$(journey_resource_string IDS_FIELD_POWER_ON_HOURS)	1234 時間" <<<"$rows"
journey_window_shot "$main" sata-smart.png

rows=$(shown $nvme_health 13)
journey_log "NVMe health: $(tr '\n' '|' <<<"$rows")"
journey_check "the NVMe health log shows its temperature" \
  grep -q "^$(journey_resource_string IDS_FIELD_TEMPERATURE)	41 °C (314 K)" <<<"$rows"
journey_check "and the percentage used" grep -q "^$(journey_resource_string IDS_NVME_PERCENTAGE_USED)	3 %" <<<"$rows"
journey_window_shot "$main" nvme-health.png

journey_post "$main_title" 0x0010 0
journey_wait_exit "$sektra" 30
journey_check "Sektra ends with exit code 0 (got $JOURNEY_CODE)" test "$JOURNEY_CODE" = 0
echo "screenshots: $J/sata-summary.png $J/nvme-summary.png $J/sata-identify.png $J/sata-smart.png $J/nvme-health.png"
journey_finish
