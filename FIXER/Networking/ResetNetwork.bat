@echo off
rem Resets Winsock and the TCP/IP stack, then asks for a fresh address.
echo Resetting the network settings...
netsh winsock reset
netsh int ip reset "%TEMP%\ResetNetwork.log"
ipconfig /release
ipconfig /renew
ipconfig /flushdns
echo Done. Restart your computer to complete the reset.
