# Intune remediation, detection script: scans, keeps the whole report on the machine for the
# remediation script, and prints the one-line summary that Intune keeps.
# Exit 1 when problems are found (Intune then runs the remediation script), 0 when there are none,
# any other status when the scan itself failed.
# Run as the SYSTEM account, the per-user sections read the system's own profile: the report says so.
$programFiles = if ($env:ProgramW6432) { $env:ProgramW6432 } else { $env:ProgramFiles }  # also from 32-bit PowerShell
$tidrex = Join-Path $programFiles 'TidrexVelora\tidrex.exe'
$folder = Join-Path $env:ProgramData 'TidrexVelora'
New-Item -ItemType Directory -Force -Path $folder | Out-Null

$summary = & $tidrex scan --summary --no-log --report (Join-Path $folder 'last-scan.json')
$status = $LASTEXITCODE
Write-Output $summary
exit $status
