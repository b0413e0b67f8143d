@echo off
rem Empties the DNS resolver cache.
ipconfig /flushdns
