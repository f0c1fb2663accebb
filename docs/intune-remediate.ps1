# Intune remediation, remediation script: removes what the detection script found, if a new scan
# still finds it, backing everything up first into the Backup folder beside tidrex.exe. Without
# the detection's report it cleans what the program's settings choose.
# Exit 0 all removed, 1 some kept (each named in the report), anything else a failure.
$programFiles = if ($env:ProgramW6432) { $env:ProgramW6432 } else { $env:ProgramFiles }
$tidrex = Join-Path $programFiles 'TidrexVelora\tidrex.exe'
$folder = Join-Path $env:ProgramData 'TidrexVelora'
$scan = Join-Path $folder 'last-scan.json'
$cleaned = Join-Path $folder 'last-clean.json'

if (Test-Path $scan) {
    $summary = & $tidrex clean --from $scan --summary --no-log --report $cleaned
} else {
    $summary = & $tidrex clean --summary --no-log --report $cleaned
}
$status = $LASTEXITCODE
Write-Output $summary
exit $status
