#!/usr/bin/env python3
"""Writes a dividend scenario with N earned-dividend records (default 5,000) to stdout.

Run it through the terminal under /usr/bin/time -v to see what text conversion costs the
kernel ("System time"):
    bench/dividend_scenario.py 5000 > /tmp/div.json
    /usr/bin/time -v build/default/bin/qzhost run /tmp/div.json --out /tmp/div-out
"""
import json
import sys

n = int(sys.argv[1]) if len(sys.argv) > 1 else 5000
names = ["台積電", "國泰金", "鴻海", "聯發科", "中華電"]
records = [{
    "date": "2024%02d%02d" % (1 + i % 12, 1 + i % 28), "code": str(1101 + i % 8000),
    "name": names[i % len(names)], "rate": 1.5, "quantity": 1000 + i, "type": "1",
    "cash": 1500 + i, "cashPayDate": "20240711", "dDate": "20240613", "source": "盈餘",
} for i in range(n)]
scenario = {
    "module": "libqzstockext.so",
    "broker": {"accounts": [{"brokerId": "9A95", "account": "0123456", "name": "林美玲",
                             "kind": 65, "dividends": records}]},
    "views": [{"name": "dividend", "class": "JqzStockDividendCalcView", "layout": "股票帳務",
               "title": "股利試算", "syncGroup": 3}],
    "steps": [{"do": "login"}, {"do": "wait", "ms": 500},
              {"do": "click", "view": "dividend", "control": 2162}, {"do": "wait", "ms": 3000},
              # the records, an empty line and the totals line
              {"do": "expect", "view": "dividend", "control": 2724, "rowCount": n + 2}],
}
json.dump(scenario, sys.stdout, ensure_ascii=False)
